#include "transfer/csvimport.h"

#include "transfer/csv.h"

#include "text/cp1251.h"
#include "store/storeerror.h"
#include "store/querychannel.h"
#include "store/schema.h"

#include <QScopeGuard>

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

// A whole number a long integer holds, as the grid accepts it; nothing when it is something else.
std::optional<qint64> wholeNumber(QByteArrayView text)
{
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok, 10);
    if (!ok || n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return n;
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

    ImportOutcome run()
    {
        m_outcome.encoding = detectEncoding(m_bytes);
        if (!readHeader())
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
            if (m_fields.size() != m_targets.size()) {
                const std::size_t field = std::min(m_fields.size(), m_targets.size());
                return refuse(ImportRefusal::FieldCount, m_fields.front().line, columnAt(qsizetype(field)),
                              QString::number(m_fields.size()), QString::number(m_targets.size()));
            }
            values = m_defaults;
            for (std::size_t i = 0; i < m_fields.size(); ++i) {
                const Target &target = m_targets[i];
                if (target.value < 0)
                    continue;
                const QByteArray &text = m_fields[i].text;
                if (!target.number) {
                    values[target.value] = decoded(text);
                } else if (!text.trimmed().isEmpty()) {
                    const std::optional<qint64> number = wholeNumber(text);
                    if (!number)
                        return refuse(ImportRefusal::NotANumber, m_fields[i].line, target.column, decoded(text));
                    values[target.value] = *number;
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

Encoding detectEncoding(QByteArrayView bytes)
{
    return bytes.isValidUtf8() ? Encoding::Utf8 : Encoding::Windows1251;
}

ImportOutcome importCsv(store::QueryChannel &channel, const QString &table, QByteArrayView bytes,
                        const ImportProgress &progress)
{
    const store::TableDef *definition = programTable(table);
    if (!definition) {
        ImportOutcome outcome;
        outcome.refusal = ImportRefusal{ImportRefusal::UnknownTable, 0, {}, table, {}, std::nullopt};
        return outcome;
    }
    // A byte order mark says UTF-8 and is no part of the first column's name.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    return Importer(channel, *definition, bytes, progress).run();
}

} // namespace transfer
