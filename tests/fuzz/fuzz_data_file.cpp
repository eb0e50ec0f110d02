// Opening a data file made of any bytes, as File Open and `radioprog-cli show` do.
// A data file has no header and no checksum, and the loader takes a file's first 940
// bytes as they are: nothing a user stored may be lost or changed, so the record may
// end up holding any bytes at all. What must hold:
//   - a file shorter than 940 bytes changes nothing and is reported as too short,
//     with its size;
//   - a longer one brings exactly its first 940 bytes into the record: the record's
//     image gives them back byte for byte, and the radio's report, the reserved word
//     and the texts stay as they were;
//   - what the program makes of the record is sane: 16 or 32 channels; the channel
//     table's texts (CheckShownTexts); `show` prints a line per channel and `show
//     --json` parses as JSON with one entry per channel; before a write the masks
//     rebuild to the channels, and a 16-channel record keeps block 0x01B8 as it was.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

#include "cli/show_output.h"
#include "data/data_file.h"
#include "tests/fuzz/memory_file.h"
#include "tests/fuzz/record_invariants.h"

using namespace radio;
using namespace radio::test;

namespace {

// A record that differs from the defaults everywhere a file must not reach.
RadioData StartRecord()
{
    RadioData data;
    data.radioBandLower = 136;
    data.radioBandUpper = 174;
    data.radioModel = 0;
    data.reserved = 12345;
    data.texts.SetText(47, "Off");
    return data;
}

void CheckShown(const RadioData& data, Violations& out)
{
    const int channels = data.ChannelCount();
    if (channels != 16 && channels != 32) {
        out.push_back("channel count " + std::to_string(channels));
    }
    CheckShownTexts(data, data.texts.Text(47), out);

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
    const FileResult result = LoadDataFile(file.Path(), record);
    const auto after = record.ToImage();

    Violations found;
    if (record.texts.Text(47) != "Off") {
        found.push_back("opening a file changed the texts");
    }
    if (size < image::kFileFieldsSize) {
        if (result.status != FileStatus::TooShort || result.size != size) {
            found.push_back("a file of " + std::to_string(size) + " bytes was not too short");
        }
        if (after != before) {
            found.push_back("a file too short changed the record");
        }
    } else {
        if (!result.ok()) {
            found.push_back("a file of " + std::to_string(size) + " bytes did not open");
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
