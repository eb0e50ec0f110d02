#include "channels/channel_sheet.h"

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

}  // namespace

QString ChannelSheet::FrequencyRefusal(const QString& text) const
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
    const int lower = m_data->bandLower;
    const int upper = m_data->bandUpper;
    if ((mhz < 100 || mhz > 550) && (mhz < lower || mhz > upper)) {
        return Text(text::FrequencyNotOfBand)
            .arg(t, QString::number(lower), QString::number(upper));
    }
    if (whole.size() != 3) {
        return QString();
    }
    // Digits below 10 Hz are refused unless they are zeros.
    for (int i = kKeptDecimals; i < decimals.size(); ++i) {
        if (decimals[i] != QLatin1Char('0')) {
            return Text(text::FrequencyTooPrecise).arg(t);
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
    return Text(text::FrequencyOffRaster).arg(t, FrequencyOfUnits(below), FrequencyOfUnits(above));
}

ChannelSheet::ChannelSheet(const RadioData* data) : m_data(data) {}

QString ChannelSheet::Text(int n) const
{
    return UiText(*m_data, n);
}

QString ChannelSheet::Cell(int row, int column) const
{
    if (row < 0 || row >= RowCount() || column < 0 || column >= column::Count) {
        return QString();
    }
    return m_cells[std::size_t(row)][std::size_t(column)];
}

void ChannelSheet::SetCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= RowCount() || column < 0 || column >= column::Count) {
        return;
    }
    m_cells[std::size_t(row)][std::size_t(column)] = text;
}

void ChannelSheet::Load()
{
    const int channels = m_data->ChannelCount();
    m_cells.assign(std::size_t(channels + 1), std::vector<QString>(column::Count));
    for (int c = 0; c < column::Count; ++c) {
        m_cells[0][std::size_t(c)] = Text(kColumnLayout[std::size_t(c)].headerText);
    }
    for (int r = 1; r <= channels; ++r) {
        const int label = r <= kLabelsPerBank ? r : r - kLabelsPerBank;
        m_cells[std::size_t(r)][column::Label] = QString::number(label);
        FillRow(r - 1);
    }
}

void ChannelSheet::FillRow(int index)
{
    const int row = index + 1;
    if (index < 0 || row >= RowCount() || index >= m_data->ChannelCount()) {
        return;
    }
    const ConstChannelRecord record = std::as_const(*m_data).Channel(index);
    std::string rx;
    std::string tx;
    // A row without a valid receive frequency is no channel: its options are not shown.
    const bool valid = FormatFrequency(record.RxFrequency(), rx);
    FormatFrequency(record.TxFrequency(), tx);
    const std::string off = ToStd(Text(chtext::Off));
    Show(row, column::RxFrequency, QString::fromStdString(rx));
    Show(row, column::TxFrequency, QString::fromStdString(tx));
    Show(row, column::RxTone, QString::fromStdString(FormatTone(record.RxTone(), valid, off)));
    Show(row, column::TxTone, QString::fromStdString(FormatTone(record.TxTone(), valid, off)));
    for (int c = column::Wide; c <= column::BusyLock; ++c) {
        const OptionField option = OptionFieldOf(c);
        const int text = record.Option(option.option) ? option.textFor1 : option.textFor0;
        Show(row, c, valid ? Text(text) : QString());
    }
}

EditKind ChannelSheet::KindOf(int column, const QString& oldText, const QString& newText)
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

CommitResult ChannelSheet::Commit(RadioData& data, int row, int column, const QString& text,
                                  bool toneFollows)
{
    CommitResult result;
    if (row < 1 || row > ChannelCount() || column < 1 || column > column::Last) {
        result.refused = true;
        return result;
    }
    QString t = text;
    if (IsFrequencyColumn(column)) {
        // Only an emptied cell clears. Blanks are what a key that is no digit leaves
        // in the box: over a frequency they are refused, into an empty cell they
        // make nothing.
        if (!text.isEmpty() && text.trimmed().isEmpty()) {
            result.refused = !Cell(row, column).isEmpty();
            return result;
        }
        // Check the text before anything changes: a text that is no frequency must
        // leave both the cell and the record as they were.
        result.reason = FrequencyRefusal(text);
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
    const QString old = Cell(row, column);
    SetCell(row, column, t);
    result.kind = KindOf(column, old, t);
    int field = column;
    if (result.kind == EditKind::ChannelCleared) {
        field = column::RxFrequency;
    } else if (result.kind == EditKind::TransmitCleared) {
        field = column::TxFrequency;
    }
    bool outOfBand = false;
    ApplyEdit(data, row, field, result.kind, t, &outOfBand, toneFollows);
    result.outOfBand = result.outOfBand || outOfBand;
    // The row shows what its record now holds, by the rules of a load: a row whose
    // receive frequency is no frequency shows no tone text for "off", whatever the
    // edit wrote into its cells.
    FillRow(row - 1);
    return result;
}

void ChannelSheet::ApplyEdit(RadioData& data, int channel, int field, EditKind kind,
                             const QString& text, bool* outOfBand, bool toneFollows)
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
                            Cell(channel, column::TxTone) == Text(chtext::Off);
        StoreField(data, index, field, true, t, outOfBand);
        if (field < field::Level) {
            Show(channel, field, t);
        }
        if (follow) {
            QString tone = t;
            StoreField(data, index, column::TxTone, true, tone);
            Show(channel, column::TxTone, t);
        }
        break;
    }
    case EditKind::NewChannel: {
        StoreField(data, index, column::RxFrequency, true, t, outOfBand);
        Show(channel, column::RxFrequency, t);
        const bool valid = std::as_const(data).Channel(index).IsPresent();
        QString tx = t;
        StoreField(data, index, column::TxFrequency, valid, tx, outOfBand);
        Show(channel, column::TxFrequency, tx);
        // A new channel: no tones, wide, high power, in the scan list, no busy lock.
        const std::pair<int, int> shown[] = {
            {column::RxTone, chtext::Off}, {column::TxTone, chtext::Off},
            {column::Wide, chtext::Wide},  {column::Power, chtext::High},
            {column::ScanAdd, chtext::On}, {column::BusyLock, chtext::BusyOff},
        };
        for (const auto& [f, n] : shown) {
            QString value = Text(n);
            StoreField(data, index, f, valid, value);
            Show(channel, f, value);
        }
        QString level = QStringLiteral("1");
        StoreField(data, index, field::Level, valid, level);
        for (int f : {int(field::Option10), int(field::Option11)}) {
            QString value = Text(chtext::Off);
            StoreField(data, index, f, valid, value);
        }
        break;
    }
    case EditKind::ChannelCleared: {
        QString empty;
        Show(channel, column::RxFrequency, empty);
        StoreField(data, index, column::RxFrequency, true, empty);
        for (int f = column::TxFrequency; f <= field::Option11; ++f) {
            if (f < field::Level) {
                Show(channel, f, QString());
            }
            empty.clear();
            StoreField(data, index, f, false, empty);
        }
        break;
    }
    case EditKind::TransmitCleared: {
        QString empty;
        Show(channel, column::TxFrequency, empty);
        StoreField(data, index, column::TxFrequency, true, empty);
        QString off = Text(chtext::Off);
        StoreField(data, index, column::TxTone, true, off);
        Show(channel, column::TxTone, off);
        break;
    }
    }
}

bool ChannelSheet::StoreField(RadioData& data, int index, int field, bool valid, QString& text,
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
            Show(index + 1, field, text);
        }
        if (field == column::RxFrequency) {
            record.SetRxFrequency(word);
            return word != kNoFrequency;
        }
        record.SetTxFrequency(word);
        return true;
    }
    if (IsToneColumn(field)) {
        const std::uint16_t code = ParseToneText(ToStd(text), valid, ToStd(Text(chtext::Off)));
        if (field == column::RxTone) {
            record.SetRxTone(code);
        } else {
            record.SetTxTone(code);
        }
        return true;
    }
    if (IsOptionField(field)) {
        // The texts that stand for a cleared bit, whichever option they belong to.
        const bool zero = valid && (text == Text(chtext::Narrow) || text == Text(chtext::Low) ||
                                    text == Text(chtext::Off) || text == Text(chtext::BusyOff));
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

void ChannelSheet::ClearAllChannels(RadioData& data)
{
    Load();
    for (int channel = 1; channel <= ChannelCount(); ++channel) {
        ApplyEdit(data, channel, column::RxFrequency, EditKind::ChannelCleared, QString());
    }
}

}  // namespace radio
