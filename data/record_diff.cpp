#include "data/record_diff.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "data/channel_codec.h"
#include "data/channel_columns.h"
#include "data/feature_bytes.h"

namespace radio {

namespace {

using Bytes = std::array<std::uint8_t, kBlockDataSize>;
using Format = std::string (*)(const LanguageTable&, const std::uint8_t*);

std::string Hex(const std::uint8_t* bytes, int size, const char* separator = " ")
{
    std::string text;
    for (int i = 0; i < size; ++i) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", bytes[i]);
        text += (i ? separator : "") + std::string(digits);
    }
    return text;
}

std::string HexWord(unsigned value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

// Replaces %1 .. %9 by the arguments, in one pass: an argument is never read again.
std::string Arg(const std::string& pattern, const std::vector<std::string>& args)
{
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t n = std::size_t(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && n < args.size()) {
            text += args[n];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::string Item(const LanguageTable& t, int byte, std::initializer_list<int> texts)
{
    if (byte < 0 || std::size_t(byte) >= texts.size()) {
        return std::string();  // no text: the bytes show
    }
    return t.Text(*(texts.begin() + byte));
}

std::string Number(int byte, int max)
{
    return byte <= max ? std::to_string(byte) : std::string();
}

int Word16(const std::uint8_t* bytes)
{
    return bytes[0] | bytes[1] << 8;
}

// A time of 1..91 stands for 0.50 to 5.00 seconds, shown as briefly as it goes.
std::string ScanTime(int byte)
{
    if (byte < 1 || byte > 91) {
        return std::string();
    }
    const int hundredths = 50 + (byte - 1) * 5;
    std::string text = std::to_string(hundredths / 100);
    if (hundredths % 100) {
        char decimals[4];
        std::snprintf(decimals, sizeof decimals, "%02d", hundredths % 100);
        std::string d = decimals;
        d.erase(d.find_last_not_of('0') + 1);
        text += "." + d;
    }
    return text;
}

// The characters of a DTMF code, up to the first byte that is none.
std::string DtmfCode(const std::uint8_t* bytes)
{
    std::string code;
    for (int i = 0; i < bytes::choice::kCodeSize; ++i) {
        const char c = char(bytes[i]);
        const bool dtmf = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'D') ||
                          (c >= 'a' && c <= 'd') || c == '*' || c == '#';
        if (!dtmf) {
            break;
        }
        code += c;
    }
    return code.empty() ? std::string("-") : code;
}

std::string Switch(const LanguageTable& t, const std::uint8_t* b)
{
    return Item(t, b[0], {text::SwitchedOff, text::SwitchedOn});
}

// One setting of a feature view: its bytes in the block and how the view words them.
struct Setting {
    const char* key;
    int label;
    int byte;
    int size;
    Format format;
};

std::string KeyFunction(const LanguageTable& t, const std::uint8_t* b)
{
    const auto& texts = bytes::key::kFunctionTexts;
    return b[0] < texts.size() ? t.Text(texts[b[0]]) : std::string();
}

namespace c = bytes::choice;
const Setting kFeatureSettings[] = {
    {"txTimeout", text::TxTimeout, c::kTxTimeOut, 1,
     [](const LanguageTable&, const std::uint8_t* b) {
         return b[0] <= 39 ? std::to_string((b[0] + 1) * 15) : std::string();
     }},
    {"squelchLevel", text::SquelchLevel, c::kSquelchLevel, 1,
     [](const LanguageTable&, const std::uint8_t* b) { return Number(b[0], 10); }},
    {"volumeLevel", text::VolumeLevel, c::kVolumeLevel, 1,
     [](const LanguageTable&, const std::uint8_t* b) { return Number(b[0], 9); }},
    {"audioResponse", text::AudioResponse, c::kAudioResponse, 1,
     [](const LanguageTable& t, const std::uint8_t* b) {
         return Item(t, b[0], {text::Standard, text::Wide});
     }},
    {"batterySave", text::BatterySave, c::kBatterySave, 1,
     [](const LanguageTable& t, const std::uint8_t* b) {
         return Item(t, b[0], {text::SwitchedOff, text::Normal, text::Deep});
     }},
    {"keyBeep", text::KeyBeep, c::kKeyBeep, 1, Switch},
    {"voicePrompt", text::VoicePrompt, c::kVoicePrompt, 1, Switch},
    {"keyLock", text::KeyLock, c::kKeyLock, 1, Switch},
    {"autoKeyLock", text::AutoKeyLock, c::kAutoKeyLock, 1, Switch},
    {"vox", text::VoxOn, c::kVoxOn, 1, Switch},
    {"voxLevel", text::VoxLevel, c::kVoxLevel, 1,
     [](const LanguageTable&, const std::uint8_t* b) { return Number(b[0], 10); }},
    {"voxDelay", text::VoxDelay, c::kVoxDelay, 1,
     [](const LanguageTable&, const std::uint8_t* b) {
         static const char* const delays[] = {"0.3", "0.5", "1", "1.5", "2", "3"};
         return b[0] < std::size(delays) ? std::string(delays[b[0]]) : std::string();
     }},
    {"voxHeadsetOnly", text::VoxHeadsetOnly, c::kVoxHeadsetOnly, 1, Switch},
    {"voxInhibitOnReceive", text::VoxInhibitOnReceive, c::kVoxInhibitOnReceive, 1, Switch},
    {"voxBeep", text::VoxBeep, c::kVoxBeep, 1, Switch},
    {"scrambler", text::ScramblerOn, c::kScrambler, 1, Switch},
    {"sendCode", text::SendCode, c::kSendCode, 1,
     [](const LanguageTable& t, const std::uint8_t* b) {
         return Item(t, b[0], {text::OnPttPress, text::OnPttRelease});
     }},
    {"dtmfCodes", text::DtmfCodes, c::kDtmfCodes, 1,
     [](const LanguageTable& t, const std::uint8_t* b) {
         return Item(t, b[0], {text::Code1, text::Code2, text::Code1And2});
     }},
    {"code1", text::Code1, c::kCode1, c::kCodeSize,
     [](const LanguageTable&, const std::uint8_t* b) { return DtmfCode(b); }},
    {"code2", text::Code2, c::kCode2, c::kCodeSize,
     [](const LanguageTable&, const std::uint8_t* b) { return DtmfCode(b); }},
};

const Setting kKeySettings[] = {
    {"sideKey", text::SideKey, bytes::key::kSideKey, 1, KeyFunction},
    {"secondKeyFunction", text::SecondKeyFunction, bytes::key::kSecondKeyFunction, 1,
     KeyFunction},
};

namespace s = bytes::scan;
const Setting kScanSettings[] = {
    {"priority", text::ScanPriority, s::kPriorityMode, 1,
     [](const LanguageTable& t, const std::uint8_t* b) {
         return Item(t, b[0], {text::Off, text::ScanFixed, text::ScanCurrent});
     }},
    {"priorityChannel", text::PriorityChannel, s::kPriorityChannel, 1,
     [](const LanguageTable&, const std::uint8_t* b) {
         return b[0] == s::kNoChannel ? std::string("-")
                : b[0] >= 1 && b[0] <= kMaxChannels ? std::to_string(b[0])
                                                    : std::string();
     }},
    {"checkInterval", text::CheckInterval, s::kCheckInterval, 1,
     [](const LanguageTable&, const std::uint8_t* b) { return ScanTime(b[0]); }},
    {"holdTime", text::HoldTime, s::kHoldTime, 1,
     [](const LanguageTable&, const std::uint8_t* b) { return ScanTime(b[0]); }},
    {"transmitOn", text::TransmitOn, s::kTransmitOn, 1,
     [](const LanguageTable& t, const std::uint8_t* b) {
         if (b[0] > 3) {
             return std::string();
         }
         return t.Text((b[0] & 2) ? text::ScanPriority : text::ScanCurrent) +
                ((b[0] & 1) ? "+" + t.Text(text::Talkback) : std::string());
     }},
    {"resumeTime", text::ResumeTime, s::kResumeTimeLow, 2,
     [](const LanguageTable&, const std::uint8_t* b) { return Number(Word16(b), 300); }},
    {"carrierHold", text::CarrierHold, s::kCarrierHoldLow, 2,
     [](const LanguageTable&, const std::uint8_t* b) { return Number(Word16(b), 300); }},
};

// Collects the differences; every value goes through Add, which keeps two different
// values from reading the same.
class Collector {
public:
    explicit Collector(const LanguageTable& texts) : m_texts(texts) {}

    const LanguageTable& Texts() const { return m_texts; }

    // `fromBytes`/`toBytes` are what the values stand for; they decide whether the two
    // differ, the texts only how it reads.
    void Add(Difference d, const std::string& fromBytes, const std::string& toBytes)
    {
        if (fromBytes == toBytes) {
            return;
        }
        // A value without words (out of its range, not a number) shows its bytes.
        if (d.from.empty()) {
            d.from = "[" + fromBytes + "]";
        }
        if (d.to.empty()) {
            d.to = "[" + toBytes + "]";
        }
        if (d.from == d.to) {
            d.from += " [" + fromBytes + "]";
            d.to += " [" + toBytes + "]";
        }
        m_found.push_back(std::move(d));
    }

    std::vector<Difference> Take() { return std::move(m_found); }

private:
    const LanguageTable& m_texts;
    std::vector<Difference> m_found;
};

Difference Make(DiffArea area, const char* key, std::string field, std::string from,
                std::string to)
{
    Difference d;
    d.area = area;
    d.key = key;
    d.field = std::move(field);
    d.from = std::move(from);
    d.to = std::move(to);
    return d;
}

void CompareChannel(Collector& out, int index, ConstChannelRecord a, ConstChannelRecord b)
{
    if (std::memcmp(a.Bytes(), b.Bytes(), kChannelRecordSize) == 0) {
        return;  // most channels of two plans: nothing to word
    }
    const LanguageTable& t = out.Texts();
    const std::string off = t.Text(text::Off);
    auto add = [&](const char* key, int label, std::string from, std::string to,
                   const std::string& fromBytes, const std::string& toBytes) {
        Difference d = Make(DiffArea::Channel, key, t.Text(label), std::move(from), std::move(to));
        d.channel = index + 1;
        out.Add(std::move(d), fromBytes, toBytes);
    };
    // No frequency is "-"; a word that is no frequency shows as the word.
    auto frequency = [](std::uint32_t word) {
        return word == kNoFrequency ? std::string("-") : FormatFrequency(word);
    };
    // A channel made or emptied is one line: the row as the table shows it, and "-".
    if (a.IsErased() != b.IsErased()) {
        auto row = [&](ConstChannelRecord r) {
            if (r.IsErased()) {
                return std::string("-");
            }
            std::string text = frequency(r.RxFrequency()) + " / " + frequency(r.TxFrequency()) +
                               " / " + FormatTone(r.RxTone(), true, off) + " / " +
                               FormatTone(r.TxTone(), true, off);
            for (int c = column::Wide; c <= column::BusyLock; ++c) {
                const OptionField f = OptionFieldOf(c);
                text += " / " + t.Text(r.Option(f.option) ? f.textFor1 : f.textFor0);
            }
            return text;
        };
        add("channel", text::FieldWholeChannel, row(a), row(b), Hex(a.Bytes(), 16, ""),
            Hex(b.Bytes(), 16, ""));
        return;
    }
    add("rxFrequency", text::FieldReceiveFrequency, frequency(a.RxFrequency()),
        frequency(b.RxFrequency()), HexWord(a.RxFrequency(), 8), HexWord(b.RxFrequency(), 8));
    add("txFrequency", text::FieldTransmitFrequency, frequency(a.TxFrequency()),
        frequency(b.TxFrequency()), HexWord(a.TxFrequency(), 8), HexWord(b.TxFrequency(), 8));
    add("rxTone", text::FieldReceiveTone, FormatTone(a.RxTone(), true, off),
        FormatTone(b.RxTone(), true, off), HexWord(a.RxTone(), 4), HexWord(b.RxTone(), 4));
    add("txTone", text::FieldTransmitTone, FormatTone(a.TxTone(), true, off),
        FormatTone(b.TxTone(), true, off), HexWord(a.TxTone(), 4), HexWord(b.TxTone(), 4));

    // The option bits one by one, as the table's drop lists word them; the level as
    // "1".."8"; whatever bits of the two option words remain, as the words.
    struct Option {
        const char* key;
        int label;
        int field;
    };
    const Option options[] = {
        {"bandwidth", text::FieldBandwidth, column::Wide},
        {"power", text::FieldPower, column::Power},
        {"scanAdd", text::FieldScanAdd, column::ScanAdd},
        {"busyLock", text::FieldBusyLock, column::BusyLock},
        {"option10", text::FieldOption10, field::Option10},
        {"option11", text::FieldOption11, field::Option11},
    };
    std::array<std::uint8_t, 4> shown{};  // bits of bytes 12..15 named above
    for (const Option& o : options) {
        const OptionField f = OptionFieldOf(o.field);
        const OptionBit bit = OptionBitOf(f.option);
        shown[std::size_t(bit.byte - 12)] |= std::uint8_t(1u << bit.bit);
        auto word = [&](ConstChannelRecord r) { return t.Text(r.Option(f.option) ? f.textFor1 : f.textFor0); };
        add(o.key, o.label, word(a), word(b), std::to_string(a.Option(f.option)),
            std::to_string(b.Option(f.option)));
    }
    shown[3] |= 0xE0;  // the level, byte 15 bits 5-7
    add("level", text::FieldLevel, std::to_string(a.Level() + 1), std::to_string(b.Level() + 1),
        std::to_string(a.Level()), std::to_string(b.Level()));
    auto rest = [&](ConstChannelRecord r) {
        std::uint8_t masked[4];
        for (int i = 0; i < 4; ++i) {
            masked[i] = std::uint8_t(r.Bytes()[12 + i] & ~shown[std::size_t(i)]);
        }
        return Hex(masked, 4, "");
    };
    auto words = [](ConstChannelRecord r) {
        return HexWord(r.OptionWord12(), 4) + " " + HexWord(r.OptionWord14(), 4);
    };
    add("otherOptionBits", text::FieldOtherOptionBits, words(a), words(b), rest(a), rest(b));
}

// The settings of one block, and the bytes of the block's written part they name.
void CompareSettings(Collector& out, DiffArea area, const Bytes& a, const Bytes& b,
                     const Setting* begin, const Setting* end, std::array<bool, 64>& named)
{
    for (const Setting* s = begin; s != end; ++s) {
        const std::uint8_t* pa = a.data() + s->byte;
        const std::uint8_t* pb = b.data() + s->byte;
        std::fill_n(named.begin() + s->byte, s->size, true);
        if (std::memcmp(pa, pb, std::size_t(s->size)) == 0) {
            continue;
        }
        out.Add(Make(area, s->key, out.Texts().Text(s->label), s->format(out.Texts(), pa),
                     s->format(out.Texts(), pb)),
                Hex(pa, s->size), Hex(pb, s->size));
    }
}

std::string BandText(const LanguageTable& t, const RadioData& d)
{
    return std::to_string(d.bandLower) + "-" + std::to_string(d.bandUpper) + " " +
           t.Text(text::Megahertz);
}

std::string ModelText(const LanguageTable& t, const RadioData& d)
{
    return t.Text(d.ChannelCount() == 16 ? text::Channels16 : text::Channels32);
}

}  // namespace

std::vector<Difference> CompareRecords(const RadioData& from, const RadioData& to)
{
    Collector out(from.texts);
    const LanguageTable& t = from.texts;

    const int channels = std::max(from.ChannelCount(), to.ChannelCount());
    for (int i = 0; i < channels; ++i) {
        CompareChannel(out, i, from.Channel(i), to.Channel(i));
    }

    // The written bytes of each block that a setting names; the rest are listed as bytes.
    std::array<std::array<bool, 64>, kBlockCount> named{};
    for (int k = 0; k < kChannelBlockCount; ++k) {
        named[std::size_t(ChannelBlock(k))].fill(true);
    }
    auto settings = [&](DiffArea area, Block block, const auto& table) {
        CompareSettings(out, area, from.block(block).data, to.block(block).data, std::begin(table),
                        std::end(table), named[std::size_t(block)]);
    };
    settings(DiffArea::Features, Block::B0120, kFeatureSettings);
    settings(DiffArea::Key, Block::B0110, kKeySettings);
    settings(DiffArea::Scan, Block::B0160, kScanSettings);

    out.Add(Make(DiffArea::Radio, "band", t.Text(text::Band), BandText(t, from), BandText(t, to)),
            std::to_string(from.bandLower) + "-" + std::to_string(from.bandUpper),
            std::to_string(to.bandLower) + "-" + std::to_string(to.bandUpper));
    out.Add(Make(DiffArea::Radio, "model", t.Text(text::Model), ModelText(t, from), ModelText(t, to)),
            std::to_string(from.ChannelCount()), std::to_string(to.ChannelCount()));

    for (int n = 0; n < kBlockCount; ++n) {
        const Block block = Block(n);
        const DataBlock& a = from.block(block);
        const DataBlock& b = to.block(block);
        const int written = 16 * QuartersWritten(block);
        for (int i = 0; i < written;) {
            if (named[std::size_t(n)][std::size_t(i)] || a.data[std::size_t(i)] == b.data[std::size_t(i)]) {
                ++i;
                continue;
            }
            int end = i;
            while (end < written && !named[std::size_t(n)][std::size_t(end)] &&
                   a.data[std::size_t(end)] != b.data[std::size_t(end)]) {
                ++end;
            }
            Difference d;
            d.area = DiffArea::Bytes;
            d.key = "bytes";
            d.address = a.Address() + i;
            d.size = end - i;
            d.field = d.size == 1 ? Arg(t.Text(text::DiffByte), {HexWord(unsigned(d.address), 4)})
                                  : Arg(t.Text(text::DiffBytes),
                                        {HexWord(unsigned(d.address), 4),
                                         HexWord(unsigned(d.address + d.size - 1), 4)});
            d.from = Hex(a.data.data() + i, d.size);
            d.to = Hex(b.data.data() + i, d.size);
            out.Add(std::move(d), "a", "b");
            i = end;
        }
    }
    return out.Take();
}

const char* DiffAreaName(DiffArea area)
{
    switch (area) {
    case DiffArea::Channel: return "channel";
    case DiffArea::Features: return "features";
    case DiffArea::Key: return "key";
    case DiffArea::Scan: return "scan";
    case DiffArea::Radio: return "radio";
    case DiffArea::Bytes: return "bytes";
    }
    return "bytes";
}

std::string DifferenceLine(const LanguageTable& texts, const Difference& d)
{
    if (d.area == DiffArea::Channel) {
        return Arg(texts.Text(text::DiffChannelLine),
                   {std::to_string(d.channel), d.field, d.from, d.to});
    }
    return Arg(texts.Text(text::DiffLine), {d.field, d.from, d.to});
}

}  // namespace radio
