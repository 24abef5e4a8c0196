#include "transfer/csvimport.h"

#include "transfer/csv.h"

#include "text/cp1251.h"
#include "store/storeerror.h"
#include "store/querychannel.h"
#include "store/schema.h"

#include <QScopeGuard>

#include <algorithm>
#include <limits>

namespace transfer {

namespace {

// Progress is reported every this many rows.
constexpr qint64 kProgressRows = 1024;

const store::TableDef *programTable(const QString &name)
{
    for (const store::TableDef &table : store::programTables())
        if (name.compare(QLatin1StringView(table.name.data(), qsizetype(table.name.size())), Qt::CaseInsensitive) == 0)
            return &table;
    return nullptr;
}

QString nameOf(std::string_view name)
{
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

// The range of every number column: a long integer, as Jet's were.
constexpr qint64 kLowest = std::numeric_limits<qint32>::min();
constexpr qint64 kHighest = std::numeric_limits<qint32>::max();

bool isWholeNumberSyntax(QByteArrayView text)
{
    if (text.startsWith('-') || text.startsWith('+'))
        text = text.sliced(1);
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The line a byte of the field stands on: the field's first, and the line breaks before the byte.
qint64 lineOf(const CsvReader::Field &field, qsizetype at)
{
    const QByteArrayView before = QByteArrayView(field.text).first(at);
    return field.line + before.count('\n') + before.count('\r') - before.count("\r\n");
}

// Where each field of a record goes: a place among the statement's values, or nowhere (tab's id).
struct Target {
    int value = -1;
    bool number = false;
    QString column;
};

class Importer {
public:
    Importer(store::QueryChannel &channel, const store::TableDef &table, QByteArrayView bytes,
             const ImportProgress &progress)
        : m_channel(channel), m_table(table), m_bytes(bytes), m_reader(bytes), m_progress(progress)
    {
    }

    ImportOutcome run(std::optional<char> separator)
    {
        if (!readLayout(separator) || !readHeader())
            return m_outcome;
        // SQLite takes the write lock at once, so a rival writer cannot make the import fail half-way.
        m_channel.write(m_channel.dialect() == store::Dialect::Sqlite ? QStringLiteral("BEGIN IMMEDIATE")
                                                                      : QStringLiteral("BEGIN"),
                        {});
        auto rollback = qScopeGuard([this] {
            try {
                m_channel.write(QStringLiteral("ROLLBACK"), {});
            } catch (const store::StoreError &) {
                // SQLite rolls back by itself when it cannot go on; there is nothing left to undo.
            }
        });
        if (!readRecords())
            return m_outcome;
        m_channel.write(QStringLiteral("COMMIT"), {});
        rollback.dismiss();
        return m_outcome;
    }

private:
    QString decoded(const QByteArray &bytes) const
    {
        return m_outcome.encoding == Encoding::Utf8 ? QString::fromUtf8(bytes) : cp1251::decode(bytes);
    }

    bool refuse(ImportRefusal::Kind kind, qint64 line, const QString &column, const QString &value = {},
                const QString &detail = {}, const std::optional<store::StoreError> &storeError = std::nullopt)
    {
        m_outcome.rows = 0;
        m_outcome.refusal = ImportRefusal{kind, line, column, value, detail, storeError};
        return false;
    }

    // The encoding and the separator, read from the file where they are not given.
    bool readLayout(std::optional<char> separator)
    {
        const DetectedEncoding encoding = detectEncoding(m_bytes);
        m_outcome.encoding = encoding.encoding;
        if (encoding.strayLine > 0)
            return refuse(ImportRefusal::MixedEncodings, encoding.strayLine, {});
        // A byte order mark says UTF-8 and is no part of the first column's name.
        if (m_bytes.startsWith("\xEF\xBB\xBF"))
            m_bytes = m_bytes.sliced(3);
        if (!separator) {
            const QByteArray found = headerSeparators(m_bytes);
            if (found.size() > 1)
                return refuse(ImportRefusal::AmbiguousSeparator, 1, {}, QString::fromLatin1(found));
            if (found.size() == 1)
                separator = found.front();
        }
        m_reader = CsvReader(m_bytes, separator);
        return true;
    }

    // Whether the field's text may be stored, refusing it otherwise.
    bool acceptText(const CsvReader::Field &field, const Target &target, const QString &text)
    {
        // Decoded, it would be another character than the file holds.
        if (m_outcome.encoding == Encoding::Windows1251)
            if (const std::optional<qsizetype> at = cp1251::undefinedByte(field.text))
                return refuse(ImportRefusal::UndefinedByte, lineOf(field, *at), target.column,
                              QString::number(static_cast<unsigned char>(field.text[*at]), 16).toUpper());
        // libpq would end the value at the character, so no store keeps one.
        if (field.text.contains('\0'))
            return refuse(ImportRefusal::NulCharacter, field.line, target.column);
        if (text.size() > store::kTextValueLimit)
            return refuse(ImportRefusal::TooLong, field.line, target.column, QString::number(text.size()),
                          QString::number(store::kTextValueLimit));
        return true;
    }

    // The field's whole number into value, refusing anything else.
    bool acceptNumber(const CsvReader::Field &field, const Target &target, QVariant &value)
    {
        const QByteArray text = field.text.trimmed();
        if (!isWholeNumberSyntax(text))
            return refuse(ImportRefusal::NotANumber, field.line, target.column, decoded(field.text));
        bool ok = false;
        const qint64 n = text.toLongLong(&ok, 10);
        if (!ok || n < kLowest || n > kHighest) {
            refuse(ImportRefusal::OutOfRange, field.line, target.column, decoded(field.text));
            m_outcome.refusal->lowest = kLowest;
            m_outcome.refusal->highest = kHighest;
            return false;
        }
        value = n;
        return true;
    }

    // The column a field stands in, as the header names it.
    QString columnAt(qsizetype field) const
    {
        return field < qsizetype(m_targets.size()) ? m_targets[std::size_t(field)].column
                                                   : QStringLiteral("#%1").arg(field + 1);
    }

    bool readHeader()
    {
        switch (m_reader.next(m_fields)) {
        case CsvReader::End:
            return refuse(ImportRefusal::NoHeader, 1, {});
        case CsvReader::BrokenQuote:
            return refuse(ImportRefusal::BrokenQuote, m_reader.brokenLine(),
                          QStringLiteral("#%1").arg(m_reader.brokenField() + 1));
        case CsvReader::Record:
            break;
        }
        // Every column but the counter gets a value: the text ones an empty text, the others NULL,
        // unless the file gives one.
        QStringList columns;
        for (const store::ColumnDef &column : m_table.columns) {
            if (column.kind == store::ColumnKind::Counter)
                continue;
            columns << nameOf(column.name);
            m_defaults.append(column.kind == store::ColumnKind::Text ? QVariant(QString()) : QVariant());
        }
        for (const CsvReader::Field &field : m_fields) {
            const QString name = decoded(field.text).trimmed();
            Target target{-1, false, name};
            const auto column = std::find_if(m_table.columns.begin(), m_table.columns.end(),
                                             [&](const store::ColumnDef &c) {
                                                 return name.compare(nameOf(c.name), Qt::CaseInsensitive) == 0;
                                             });
            if (column == m_table.columns.end())
                return refuse(ImportRefusal::UnknownColumn, field.line, name);
            for (const Target &earlier : m_targets)
                if (earlier.column.compare(name, Qt::CaseInsensitive) == 0)
                    return refuse(ImportRefusal::RepeatedColumn, field.line, name);
            if (column->kind != store::ColumnKind::Counter) {
                target.value = int(columns.indexOf(nameOf(column->name)));
                target.number = column->kind != store::ColumnKind::Text;
            }
            m_targets.push_back(target);
        }
        QStringList marks;
        marks.fill(QStringLiteral("?"), columns.size());
        m_insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                       .arg(nameOf(m_table.name), columns.join(u','), marks.join(u','));
        return true;
    }

    bool readRecords()
    {
        QVariantList values;
        for (;;) {
            switch (m_reader.next(m_fields)) {
            case CsvReader::End:
                return true;
            case CsvReader::BrokenQuote:
                return refuse(ImportRefusal::BrokenQuote, m_reader.brokenLine(), columnAt(m_reader.brokenField()));
            case CsvReader::Record:
                break;
            }
            if (std::all_of(m_fields.cbegin(), m_fields.cend(), [](const CsvReader::Field &f) { return f.text.isEmpty(); })) {
                ++m_outcome.emptyRows;
                continue;
            }
            if (m_fields.size() != m_targets.size()) {
                const std::size_t field = std::min(m_fields.size(), m_targets.size());
                return refuse(ImportRefusal::FieldCount, m_fields.front().line, columnAt(qsizetype(field)),
                              QString::number(m_fields.size()), QString::number(m_targets.size()));
            }
            values = m_defaults;
            for (std::size_t i = 0; i < m_fields.size(); ++i) {
                const Target &target = m_targets[i];
                const CsvReader::Field &field = m_fields[i];
                if (target.value < 0)
                    continue;
                if (!target.number) {
                    const QString text = decoded(field.text);
                    if (!acceptText(field, target, text))
                        return false;
                    values[target.value] = text;
                } else if (!field.text.trimmed().isEmpty() && !acceptNumber(field, target, values[target.value])) {
                    return false;
                }
            }
            try {
                m_channel.write(m_insert, values);
            } catch (const store::StoreError &e) {
                return refuse(ImportRefusal::StoreRefused, m_fields.front().line, {}, {}, {}, e);
            }
            if (++m_outcome.rows % kProgressRows == 0 && m_progress)
                m_progress(m_reader.position(), m_bytes.size());
        }
    }

    store::QueryChannel &m_channel;
    const store::TableDef &m_table;
    QByteArrayView m_bytes;
    CsvReader m_reader;
    const ImportProgress &m_progress;
    std::vector<CsvReader::Field> m_fields;
    std::vector<Target> m_targets; // one per header field
    QVariantList m_defaults;
    QString m_insert;
    ImportOutcome m_outcome;
};

} // namespace

ImportOutcome importCsv(store::QueryChannel &channel, const QString &table, QByteArrayView bytes,
                        std::optional<char> separator, const ImportProgress &progress)
{
    const store::TableDef *definition = programTable(table);
    if (!definition) {
        ImportOutcome outcome;
        outcome.refusal = ImportRefusal{ImportRefusal::UnknownTable, 0, {}, table, {}, std::nullopt};
        return outcome;
    }
    return Importer(channel, *definition, bytes, progress).run(separator);
}

} // namespace transfer
