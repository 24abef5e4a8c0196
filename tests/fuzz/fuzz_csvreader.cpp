// The CSV reader on any bytes: it ends, and what it reads from a sound file, written out again by
// the writer, reads back as the same records.
#include "tests/fuzz/fuzzcheck.h"

#include "transfer/csv.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <vector>

namespace {

using transfer::CsvReader;

// The records, or nothing when the reader found a broken quote.
bool readAll(QByteArrayView bytes, QList<QList<QByteArray>> &records)
{
    CsvReader reader(bytes);
    std::vector<CsvReader::Field> fields;
    qsizetype last = -1;
    for (;;) {
        const CsvReader::Result result = reader.next(fields);
        if (result != CsvReader::Record)
            return result == CsvReader::End;
        FUZZ_REQUIRE(reader.position() > last, "the reader did not advance");
        last = reader.position();
        QList<QByteArray> record;
        for (const CsvReader::Field &field : fields)
            record << field.text;
        records << record;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QList<QList<QByteArray>> records;
    if (!readAll(QByteArrayView(data, qsizetype(size)), records))
        return 0;
    QByteArray written;
    for (const QList<QByteArray> &record : records) {
        for (qsizetype i = 0; i < record.size(); ++i) {
            if (i > 0)
                written += ',';
            transfer::appendField(written, record[i], transfer::Format::Csv);
        }
        written += transfer::recordEnd(transfer::Format::Csv);
    }
    QList<QList<QByteArray>> again;
    FUZZ_REQUIRE(readAll(written, again), "the written records do not read: %s", written.constData());
    // A record of one empty field is written as a blank line, which the reader skips.
    QList<QList<QByteArray>> expected;
    for (const QList<QByteArray> &record : records)
        if (record != QList<QByteArray>{QByteArray()})
            expected << record;
    FUZZ_REQUIRE(again == expected, "the records changed on the way: %s", written.constData());
    return 0;
}
