#include "channels/channel_cells.h"

#include <algorithm>
#include <string>
#include <utility>

#include "config/text_of.h"
#include "data/channel_codec.h"

namespace radio {

namespace {

constexpr int kLabelsPerBank = 16;  // a 32-channel radio numbers its channels 1..16 twice

std::string ToStd(const QString& text)
{
    return text.toStdString();
}

// The channel raster in 10 Hz units: a channel lies on a multiple of 5 kHz or of 6.25 kHz.
constexpr long kRasterA = 500;
constexpr long kRasterB = 625;
constexpr long kUnitsPerMHz = 100000;
constexpr int kKeptDecimals = 5;  // the radio keeps 10 Hz

QString FrequencyOfUnits(long units)
{
    return QStringLiteral("%1.%2")
        .arg(units / kUnitsPerMHz, 3, 10, QLatin1Char('0'))
        .arg(units % kUnitsPerMHz, kKeptDecimals, 10, QLatin1Char('0'));
}

QString Text(const RadioData& data, int n)
{
    return UiText(data, n);
}

// Why a typed frequency cannot be taken as typed; empty when it can (or when it is no
// number at all, which the codec refuses).
QString FrequencyRefusal(const RadioData& data, const QString& text)
{
    const QString t = text.trimmed();
    // Digits with at most one point; anything else is no number, which the codec
    // refuses on its own.
    const auto digit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    if (t.count(QLatin1Char('.')) > 1 || !std::any_of(t.begin(), t.end(), digit) ||
        !std::all_of(t.begin(), t.end(),
                     [&](QChar c) { return digit(c) || c == QLatin1Char('.'); })) {
        return QString();
    }
    const int point = int(t.indexOf(QLatin1Char('.')));
    const QString whole = point < 0 ? t : t.left(point);
    const QString decimals = point < 0 ? QString() : t.mid(point + 1);
    long mhz = 0;
    for (QChar c : whole) {
        mhz = std::min(mhz * 10 + (c.unicode() - '0'), 1000000L);  // no overflow
    }
    // A whole-MHz part far from every band would be replaced by a band limit.
    const int lower = data.bandLower;
    const int upper = data.bandUpper;
    if ((mhz < 100 || mhz > 550) && (mhz < lower || mhz > upper)) {
        return Text(data, text::FrequencyNotOfBand)
            .arg(t, QString::number(lower), QString::number(upper));
    }
    if (whole.size() != 3) {
        return QString();
    }
    // Digits below 10 Hz are refused unless they are zeros.
    for (int i = kKeptDecimals; i < decimals.size(); ++i) {
        if (decimals[i] != QLatin1Char('0')) {
            return Text(data, text::FrequencyTooPrecise).arg(t);
        }
    }
    const long fraction =
        decimals.left(kKeptDecimals).leftJustified(kKeptDecimals, QLatin1Char('0')).toLong();
    if (fraction % kRasterA == 0 || fraction % kRasterB == 0) {
        return QString();
    }
    // The nearest channels below and above; 1 MHz is a multiple of both steps.
    const long units = mhz * kUnitsPerMHz + fraction;
    const long below = std::max(units / kRasterA * kRasterA, units / kRasterB * kRasterB);
    const long above =
        std::min((units / kRasterA + 1) * kRasterA, (units / kRasterB + 1) * kRasterB);
    return Text(data, text::FrequencyOffRaster)
        .arg(t, FrequencyOfUnits(below), FrequencyOfUnits(above));
}

// The texts of channel `index`'s fields, columns 1..8.
QString FieldText(const RadioData& data, int index, int column)
{
    const ConstChannelRecord record = data.Channel(index);
    std::string text;
    // A row without a valid receive frequency is no channel: its options are not shown.
    const bool valid = FormatFrequency(record.RxFrequency(), text);
    switch (column) {
    case column::RxFrequency: return QString::fromStdString(text);
    case column::TxFrequency:
        FormatFrequency(record.TxFrequency(), text);
        return QString::fromStdString(text);
    case column::RxTone:
    case column::TxTone: {
        const std::uint16_t tone = column == column::RxTone ? record.RxTone() : record.TxTone();
        return QString::fromStdString(FormatTone(tone, valid, ToStd(Text(data, text::Off))));
    }
    default: {
        const OptionField option = OptionFieldOf(column);
        const int n = record.Option(option.option) ? option.textFor1 : option.textFor0;
        return valid ? Text(data, n) : QString();
    }
    }
}

// The edit of one kind for channel `channel` (1..N) and field `field` with text
// `text` (a frequency already normalised or empty).
void ApplyEdit(RadioData& data, int channel, int field, EditKind kind, const QString& text,
               bool* outOfBand, bool toneFollows);

}  // namespace

QString CellText(const RadioData& data, int row, int column)
{
    if (row < 0 || row > data.ChannelCount() || column < 0 || column >= column::Count) {
        return QString();
    }
    if (row == 0) {
        return Text(data, kColumnLayout[std::size_t(column)].headerText);
    }
    if (column == column::Label) {
        return QString::number(row <= kLabelsPerBank ? row : row - kLabelsPerBank);
    }
    return FieldText(data, row - 1, column);
}

EditKind EditKindOf(int column, const QString& oldText, const QString& newText)
{
    if (column == column::RxFrequency) {
        if (oldText.isEmpty() && !newText.isEmpty()) {
            return EditKind::NewChannel;
        }
        if (!oldText.isEmpty() && newText.isEmpty()) {
            return EditKind::ChannelCleared;
        }
    } else if (column == column::TxFrequency && !oldText.isEmpty() && newText.isEmpty()) {
        return EditKind::TransmitCleared;
    }
    return EditKind::FieldUpdate;
}

CommitResult CommitCell(RadioData& data, int row, int column, const QString& text, bool toneFollows)
{
    CommitResult result;
    if (row < 1 || row > data.ChannelCount() || column < 1 || column > column::Last) {
        result.refused = true;
        return result;
    }
    QString t = text;
    if (IsFrequencyColumn(column)) {
        // Only an emptied cell clears. Blanks are what a key that is no digit leaves
        // in the box: over a frequency they are refused, into an empty cell they
        // make nothing.
        if (!text.isEmpty() && text.trimmed().isEmpty()) {
            result.refused = !CellText(data, row, column).isEmpty();
            return result;
        }
        // Check the text before anything changes: a text that is no frequency must
        // leave both the cell and the record as they were.
        result.reason = FrequencyRefusal(data, text);
        if (!result.reason.isEmpty()) {
            result.refused = true;
            return result;
        }
        std::string s = ToStd(text);
        const FrequencyCheck check = NormalizeFrequencyText(s, data.bandLower, data.bandUpper);
        if (check == FrequencyCheck::Invalid) {
            result.refused = true;
            return result;
        }
        result.outOfBand = check == FrequencyCheck::OutOfBand;
        t = check == FrequencyCheck::Empty ? QString() : QString::fromStdString(s);
    }
    const QString old = CellText(data, row, column);
    result.kind = EditKindOf(column, old, t);
    int field = column;
    if (result.kind == EditKind::ChannelCleared) {
        field = column::RxFrequency;
    } else if (result.kind == EditKind::TransmitCleared) {
        field = column::TxFrequency;
    }
    bool outOfBand = false;
    ApplyEdit(data, row, field, result.kind, t, &outOfBand, toneFollows);
    result.outOfBand = result.outOfBand || outOfBand;
    return result;
}

namespace {

void ApplyEdit(RadioData& data, int channel, int field, EditKind kind, const QString& text,
               bool* outOfBand, bool toneFollows)
{
    const int index = channel - 1;
    if (index < 0 || index >= data.ChannelCount()) {
        return;
    }
    QString t = text;
    switch (kind) {
    case EditKind::FieldUpdate: {
        // A receive tone set while the transmit tone is off becomes the transmit tone too.
        const bool follow = toneFollows && field == column::RxTone &&
                            CellText(data, channel, column::TxTone) == Text(data, text::Off);
        StoreChannelField(data, index, field, true, t, outOfBand);
        if (follow) {
            QString tone = t;
            StoreChannelField(data, index, column::TxTone, true, tone);
        }
        break;
    }
    case EditKind::NewChannel: {
        StoreChannelField(data, index, column::RxFrequency, true, t, outOfBand);
        const bool valid = std::as_const(data).Channel(index).IsPresent();
        QString tx = t;
        StoreChannelField(data, index, column::TxFrequency, valid, tx, outOfBand);
        // A new channel: no tones, wide, high power, in the scan list, no busy lock.
        const std::pair<int, int> shown[] = {
            {column::RxTone, text::Off}, {column::TxTone, text::Off},
            {column::Wide, text::Wide},  {column::Power, text::High},
            {column::ScanAdd, text::On}, {column::BusyLock, text::SwitchedOff},
        };
        for (const auto& [f, n] : shown) {
            QString value = Text(data, n);
            StoreChannelField(data, index, f, valid, value);
        }
        QString level = QStringLiteral("1");
        StoreChannelField(data, index, field::Level, valid, level);
        for (int f : {int(field::Option10), int(field::Option11)}) {
            QString value = Text(data, text::Off);
            StoreChannelField(data, index, f, valid, value);
        }
        break;
    }
    case EditKind::ChannelCleared: {
        QString empty;
        StoreChannelField(data, index, column::RxFrequency, true, empty);
        for (int f = column::TxFrequency; f <= field::Option11; ++f) {
            empty.clear();
            StoreChannelField(data, index, f, false, empty);
        }
        break;
    }
    case EditKind::TransmitCleared: {
        QString empty;
        StoreChannelField(data, index, column::TxFrequency, true, empty);
        QString off = Text(data, text::Off);
        StoreChannelField(data, index, column::TxTone, true, off);
        break;
    }
    }
}

}  // namespace

bool StoreChannelField(RadioData& data, int index, int field, bool valid, QString& text,
                       bool* outOfBand)
{
    if (index < 0 || index >= data.ChannelCount()) {
        return false;
    }
    ChannelRecord record = data.Channel(index);
    if (IsFrequencyColumn(field)) {
        std::uint32_t word = kNoFrequency;
        if (valid && !text.isEmpty()) {
            std::string s = ToStd(text);
            const FrequencyCheck check = NormalizeFrequencyText(s, data.bandLower, data.bandUpper);
            if (check == FrequencyCheck::Invalid) {
                return false;
            }
            if (check == FrequencyCheck::OutOfBand && outOfBand) {
                *outOfBand = true;
            }
            text = QString::fromStdString(s);
            word = ParseFrequencyText(s).value_or(kNoFrequency);
        }
        if (field == column::RxFrequency) {
            record.SetRxFrequency(word);
            return word != kNoFrequency;
        }
        record.SetTxFrequency(word);
        return true;
    }
    if (IsToneColumn(field)) {
        const std::uint16_t code = ParseToneText(ToStd(text), valid, ToStd(Text(data, text::Off)));
        if (field == column::RxTone) {
            record.SetRxTone(code);
        } else {
            record.SetTxTone(code);
        }
        return true;
    }
    if (IsOptionField(field)) {
        // The texts that stand for a cleared bit, whichever option they belong to.
        const bool zero =
            valid && (text == Text(data, text::Narrow) || text == Text(data, text::Low) ||
                      text == Text(data, text::Off) || text == Text(data, text::SwitchedOff));
        record.SetOption(OptionFieldOf(field).option, !zero);
        return true;
    }
    if (field == field::Level) {
        const QChar first = text.isEmpty() ? QChar() : text.front();
        const bool digit = valid && first >= QLatin1Char('1') && first <= QLatin1Char('8');
        record.SetLevel(digit ? first.unicode() - '1' : 7);
        return true;
    }
    return false;
}

}  // namespace radio
