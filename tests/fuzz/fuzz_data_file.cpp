// Opening a data file made of any bytes, as File Open and `radioprog-cli show` do.
// A data file has no header and no checksum: it is recognised by its fourteen blocks
// at their fixed radio addresses and by band limits that are one of the six bands.
// What must hold:
//   - a file shorter than 940 bytes changes nothing and is reported as too short,
//     with its size;
//   - a longer one that is not recognised changes nothing and is reported as no data
//     file of this radio, naming the first block out of place or the band;
//   - a recognised one brings exactly its first 940 bytes into the record (nothing a
//     user stored is lost or changed): the record's image gives them back byte for
//     byte, and the radio's report, the reserved word and the texts stay as they were;
//   - what the program makes of the record is sane: 16 or 32 channels; the channel
//     table's texts (CheckShownTexts); `show` prints a line per channel and `show
//     --json` parses as JSON with one entry per channel; before a write the masks
//     rebuild to the channels, and a 16-channel record keeps block 0x01B8 as it was;
//     compared with itself it has no difference, with a new record none that reads
//     the same on both sides.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

#include "cli/show_output.h"
#include "config/file_reading.h"
#include "data/record_diff.h"
#include "tests/fuzz/memory_file.h"
#include "tests/fuzz/record_invariants.h"

using namespace radio;
using namespace radio::test;

namespace {

// The fixed radio addresses of the fourteen blocks, in the order of the image (each at
// 4 + 66k, high byte first), written out here rather than taken from the code.
constexpr std::uint16_t kAddresses[kBlockCount] = {0x0000, 0x0010, 0x0050, 0x0090, 0x00D0,
                                                   0x0200, 0x0240, 0x02C0, 0x0300, 0x0120,
                                                   0x0110, 0x0160, 0x01B8, 0x03C0};

std::int32_t Int32At(const std::uint8_t* at)
{
    return std::int32_t(std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 |
                        std::uint32_t(at[2]) << 16 | std::uint32_t(at[3]) << 24);
}

// The first block out of place, or -1.
int MisplacedBlock(const std::uint8_t* data)
{
    for (int b = 0; b < kBlockCount; ++b) {
        const std::uint8_t* at = data + 4 + 66 * b;
        if ((at[0] << 8 | at[1]) != kAddresses[b]) {
            return b;
        }
    }
    return -1;
}

// A record that differs from the defaults everywhere a file must not reach.
RadioData StartRecord()
{
    RadioData data;
    data.radioBandLower = 136;
    data.radioBandUpper = 174;
    data.radioModel = 0;
    data.reserved = 12345;
    data.texts.SetText(text::Off, "Off");
    return data;
}

void CheckShown(const RadioData& data, Violations& out)
{
    const int channels = data.ChannelCount();
    if (channels != 16 && channels != 32) {
        out.push_back("channel count " + std::to_string(channels));
    }
    CheckShownTexts(data, data.texts.Text(text::Off), out);

    // Four heading lines, then one line per channel, numbered, then the settings.
    const QList<QByteArray> lines = cli::ShowText(data).split('\n');
    for (int n = 1; n <= channels; ++n) {
        const int line = 3 + n;
        if (line >= lines.size() || !lines[line].startsWith(QByteArray::number(n) + ' ')) {
            out.push_back("show printed no line for channel " + std::to_string(n));
            break;
        }
    }
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(cli::ShowJson(data), &error);
    if (error.error != QJsonParseError::NoError) {
        out.push_back("show --json is not JSON: " + error.errorString().toStdString());
    } else if (json.object().value("channels").toArray().size() != channels ||
               json.object().value("channelCount").toInt() != channels) {
        out.push_back("show --json does not list every channel");
    }

    // What `diff` and the write preview would say of it.
    if (!CompareRecords(data, data).empty()) {
        out.push_back("a record differs from itself");
    }
    for (const Difference& d : CompareRecords(RadioData(), data)) {
        if (d.from == d.to || d.from.empty() || d.to.empty()) {
            out.push_back("a difference that does not read as one: " + DifferenceLine(data.texts, d));
        }
    }

    RadioData masked = data;
    masked.UpdateChannelMasks();
    CheckMasks(masked, out);
    if (data.model != 0 && !(masked.block(Block::B01B8) == data.block(Block::B01B8))) {
        out.push_back("the masks of a 16-channel record changed block 0x01B8");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const MemoryFile file(data, size);
    RadioData record = StartRecord();
    const auto before = record.ToImage();
    const FileResult result = LoadDataFile(QString::fromStdString(file.Path()), record);
    const auto after = record.ToImage();

    Violations found;
    if (record.texts.Text(text::Off) != "Off") {
        found.push_back("opening a file changed the texts");
    }
    if (size < image::kFileFieldsSize) {
        if (result.status != FileStatus::TooShort || result.size != size) {
            found.push_back("a file of " + std::to_string(size) + " bytes was not too short");
        }
        if (after != before) {
            found.push_back("a file too short changed the record");
        }
    } else if (const int misplaced = MisplacedBlock(data);
               misplaced >= 0 || !IsOneOfTheBands(Int32At(data + 928), Int32At(data + 932))) {
        if (result.status != FileStatus::NotDataFile) {
            found.push_back("a file of no radio's kind was not refused");
        } else if (result.block != misplaced ||
                   (misplaced >= 0 &&
                    result.address != (data[4 + 66 * misplaced] << 8 | data[5 + 66 * misplaced])) ||
                   (misplaced < 0 && (result.bandLower != Int32At(data + 928) ||
                                      result.bandUpper != Int32At(data + 932)))) {
            found.push_back("the refusal does not name what is wrong");
        }
        if (after != before) {
            found.push_back("a refused file changed the record");
        }
    } else {
        if (!result.ok()) {
            found.push_back("a data file of " + std::to_string(size) + " bytes did not open");
        }
        if (!std::equal(data, data + image::kFileFieldsSize, after.begin())) {
            found.push_back("the record does not hold the file's first 940 bytes");
        }
        if (!std::equal(before.begin() + image::kFileFieldsSize, before.end(),
                        after.begin() + image::kFileFieldsSize)) {
            found.push_back("opening a file changed the report, the reserved word or the filler");
        }
    }
    CheckShown(record, found);
    AbortOn(found, "data file");
    return 0;
}
