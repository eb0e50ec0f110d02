#include "cli/show_output.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/shown_settings.h"
#include "data/channel_codec.h"

namespace radio::cli {

namespace {

// A frequency or tone text; null (JSON) or "-" (text) when there is none.
QJsonValue Text(const std::string& text)
{
    return text.empty() ? QJsonValue() : QJsonValue(QString::fromStdString(text));
}

QJsonValue FrequencyValue(std::uint32_t word)
{
    return Text(FormatFrequency(word));
}

QJsonValue ToneValue(std::uint16_t code)
{
    return Text(FormatTone(code, true, ""));
}

QString Hex4(std::uint16_t word)
{
    return QStringLiteral("%1").arg(word, 4, 16, QLatin1Char('0')).toUpper();
}

// Every field of one channel. The options of a channel that is not programmed are
// null, as the channel table shows them empty.
QJsonObject ChannelObject(const RadioData& data, int index)
{
    const ConstChannelRecord ch = data.Channel(index);
    const bool programmed = IsBcdFrequency(ch.RxFrequency());
    auto option = [&](ChannelOption o) {
        return programmed ? QJsonValue(ch.Option(o)) : QJsonValue();
    };
    return QJsonObject{
        {"number", index + 1},
        {"rx", FrequencyValue(ch.RxFrequency())},
        {"tx", FrequencyValue(ch.TxFrequency())},
        {"rxTone", ToneValue(ch.RxTone())},
        {"txTone", ToneValue(ch.TxTone())},
        {"wide", option(ChannelOption::Wide)},
        {"highPower", option(ChannelOption::HighPower)},
        {"scan", option(ChannelOption::ScanAdd)},
        {"busyLock", option(ChannelOption::BusyLock)},
        {"level", programmed ? QJsonValue(ch.Level() + 1) : QJsonValue()},
        {"option10", option(ChannelOption::Option10)},
        {"option11", option(ChannelOption::Option11)},
        {"word12", Hex4(ch.OptionWord12())},
        {"word14", Hex4(ch.OptionWord14())},
    };
}

QJsonObject SettingsObject(const std::vector<ShownSetting>& settings)
{
    QJsonObject object;
    for (const ShownSetting& s : settings) {
        object.insert(s.key, s.value);
    }
    return object;
}

QByteArray Column(const QString& text, int width)
{
    return text.toUtf8().leftJustified(width, ' ');
}

QString Named(const QJsonValue& value, const char* on, const char* off)
{
    return value.isBool() ? QString::fromLatin1(value.toBool() ? on : off) : SettingText(value);
}

QByteArray SettingsText(const char* title, const std::vector<ShownSetting>& settings)
{
    QByteArray out = QByteArray(title) + ":\n";
    for (const ShownSetting& s : settings) {
        out += "  " + Column(s.label, 24) + SettingText(s.value).toUtf8() + '\n';
    }
    return out;
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
    out +=
        "channel  receive    transmit   rx tone  tx tone  bandwidth  power  scan  busy lock  "
        "level  option10  option11  word12  word14\n";
    for (int i = 0; i < data.ChannelCount(); ++i) {
        const QJsonObject c = ChannelObject(data, i);
        QByteArray line =
            Column(QString::number(i + 1), 9) + Column(SettingText(c["rx"]), 11) +
            Column(SettingText(c["tx"]), 11) + Column(SettingText(c["rxTone"]), 9) +
            Column(SettingText(c["txTone"]), 9) + Column(Named(c["wide"], "wide", "narrow"), 11) +
            Column(Named(c["highPower"], "high", "low"), 7) + Column(SettingText(c["scan"]), 6) +
            Column(SettingText(c["busyLock"]), 11) + Column(SettingText(c["level"]), 7) +
            Column(SettingText(c["option10"]), 10) + Column(SettingText(c["option11"]), 10) +
            Column(c["word12"].toString(), 8) + c["word14"].toString().toUtf8();
        out += line + '\n';
    }
    out += SettingsText("optional features", FeatureSettings(data));
    out += SettingsText("key settings", KeySettings(data));
    out += SettingsText("scan settings", ScanSettings(data));
    return out;
}

QByteArray ShowJson(const RadioData& data)
{
    QJsonArray channels;
    for (int i = 0; i < data.ChannelCount(); ++i) {
        channels.append(ChannelObject(data, i));
    }
    const QJsonObject root{
        {"port", data.port},
        {"model", data.model},
        {"channelCount", data.ChannelCount()},
        {"band", QJsonArray{data.bandLower, data.bandUpper}},
        {"channels", channels},
        {"features", SettingsObject(FeatureSettings(data))},
        {"key", SettingsObject(KeySettings(data))},
        {"scan", SettingsObject(ScanSettings(data))},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Compact) + '\n';
}

}  // namespace radio::cli
