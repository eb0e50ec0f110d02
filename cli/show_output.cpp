#include "cli/show_output.h"

#include "data/channel_codec.h"

namespace radio::cli {

namespace {

std::string FrequencyText(std::uint32_t word)
{
    std::string text;
    return FormatFrequency(word, text) ? text : std::string();
}

std::string ToneText(std::uint16_t code)
{
    return FormatTone(code, true, "");
}

// A JSON string, or null for an empty text. The codec's texts are plain ASCII
// digits, points and letters, so nothing needs escaping.
QByteArray JsonText(const std::string& text)
{
    return text.empty() ? QByteArray("null") : '"' + QByteArray::fromStdString(text) + '"';
}

QByteArray Column(const std::string& text, int width)
{
    QByteArray cell = QByteArray::fromStdString(text.empty() ? "-" : text);
    return cell.leftJustified(width, ' ');
}

}  // namespace

QByteArray ShowText(const RadioData& data)
{
    QByteArray out;
    out += "port:     COM" + QByteArray::number(data.port) + '\n';
    out += "model:    " + QByteArray::number(data.model) + " (" +
           QByteArray::number(data.ChannelCount()) + " channels)\n";
    out += "band:     " + QByteArray::number(data.bandLower) + '-' +
           QByteArray::number(data.bandUpper) + " MHz\n";
    out += "channel  receive    transmit   rx tone  tx tone\n";
    for (int i = 0; i < data.ChannelCount(); ++i) {
        const ConstChannelRecord ch = data.Channel(i);
        out += Column(std::to_string(i + 1), 9) + Column(FrequencyText(ch.RxFrequency()), 11) +
               Column(FrequencyText(ch.TxFrequency()), 11) + Column(ToneText(ch.RxTone()), 9) +
               Column(ToneText(ch.TxTone()), 0).trimmed() + '\n';
    }
    return out;
}

QByteArray ShowJson(const RadioData& data)
{
    QByteArray out = "{\"port\":" + QByteArray::number(data.port) +
                     ",\"model\":" + QByteArray::number(data.model) +
                     ",\"channelCount\":" + QByteArray::number(data.ChannelCount()) +
                     ",\"band\":[" + QByteArray::number(data.bandLower) + ',' +
                     QByteArray::number(data.bandUpper) + "],\"channels\":[";
    for (int i = 0; i < data.ChannelCount(); ++i) {
        const ConstChannelRecord ch = data.Channel(i);
        if (i > 0) {
            out += ',';
        }
        out += "{\"number\":" + QByteArray::number(i + 1) +
               ",\"rx\":" + JsonText(FrequencyText(ch.RxFrequency())) +
               ",\"tx\":" + JsonText(FrequencyText(ch.TxFrequency())) +
               ",\"rxTone\":" + JsonText(ToneText(ch.RxTone())) +
               ",\"txTone\":" + JsonText(ToneText(ch.TxTone())) + '}';
    }
    out += "]}\n";
    return out;
}

}  // namespace radio::cli
