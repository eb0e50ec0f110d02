#include "data/csv_tones.h"

#include <algorithm>

#include "data/channel_codec.h"
#include "data/channel_record.h"
#include "data/csv_table.h"

namespace radio {

namespace {

enum class Squelch { Off, Ctcss, Dcs };

// One side of a channel (transmit or receive) as the columns see it.
struct Side {
    Squelch kind = Squelch::Off;
    std::string value;    // "88.5" or the three octal digits "023"
    char polarity = 'N';  // DCS: N normal, R inverted
};

Side SideOf(std::uint16_t code)
{
    Side side;
    if (code == kToneOff) {
        return side;
    }
    const std::string text = FormatTone(code, true, "");
    if (text.size() == 5 && text[0] == 'D') {
        side.kind = Squelch::Dcs;
        side.value = text.substr(2);
        side.polarity = text[1] == 'I' ? 'R' : 'N';
    } else {
        side.kind = Squelch::Ctcss;
        side.value = text;
    }
    return side;
}

const char* CrossName(Squelch kind)
{
    switch (kind) {
    case Squelch::Off: return "";
    case Squelch::Ctcss: return "Tone";
    case Squelch::Dcs: return "DTCS";
    }
    return "";
}

RowFault Fault(RowProblem problem, const char* column, std::string_view value)
{
    return RowFault{problem, {column, std::string(value)}};
}

bool AllDigits(std::string_view s)
{
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A CTCSS text such as 88.5, 88.50 or 100: read to the tenth and looked up among the
// tones the radio offers.
std::optional<RowFault> CtcssCode(const char* column, std::string_view written, std::uint16_t& code)
{
    const std::string_view text = TrimBlanks(written);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (!AllDigits(whole) || (!decimals.empty() && !AllDigits(decimals))) {
        return Fault(RowProblem::Unreadable, column, written);
    }
    std::string_view tail = decimals.empty() ? decimals : decimals.substr(1);
    const bool finer = std::any_of(tail.begin(), tail.end(), [](char c) { return c != '0'; });
    std::string_view digits = whole;
    while (digits.size() > 1 && digits.front() == '0') {
        digits.remove_prefix(1);
    }
    const std::string canonical =
        std::string(digits) + '.' + (decimals.empty() ? '0' : decimals.front());
    const std::vector<std::string>& offered = ToneTexts();
    if (finer || std::find(offered.begin(), offered.end(), canonical) == offered.end()) {
        return Fault(RowProblem::ToneNotOffered, column, written);
    }
    code = ParseToneText(canonical, true, "");
    return std::nullopt;
}

// A DCS code of one to three octal digits with its polarity letter.
std::optional<RowFault> DcsCode(const char* column, std::string_view written, char polarity,
                                std::uint16_t& code)
{
    const std::string_view text = TrimBlanks(written);
    if (!AllDigits(text) || text.size() > 3) {
        return Fault(RowProblem::Unreadable, column, written);
    }
    if (text.find_first_of("89") != std::string_view::npos) {
        return Fault(RowProblem::ToneNotOffered, column, written);
    }
    const std::string digits = std::string(3 - text.size(), '0') + std::string(text);
    code = ParseToneText(std::string(polarity == 'R' ? "DI" : "DN") + digits, true, "");
    return std::nullopt;
}

std::optional<RowFault> SideCode(Squelch kind, const char* toneColumn, const std::string& tone,
                                 const char* dcsColumn, const std::string& dcs, char polarity,
                                 std::uint16_t& code)
{
    switch (kind) {
    case Squelch::Off: code = kToneOff; return std::nullopt;
    case Squelch::Ctcss: return CtcssCode(toneColumn, tone, code);
    case Squelch::Dcs: return DcsCode(dcsColumn, dcs, polarity, code);
    }
    return std::nullopt;
}

bool SquelchOfCross(std::string_view name, Squelch& kind)
{
    if (name.empty()) {
        kind = Squelch::Off;
    } else if (SameWord(name, "Tone")) {
        kind = Squelch::Ctcss;
    } else if (SameWord(name, "DTCS")) {
        kind = Squelch::Dcs;
    } else {
        return false;
    }
    return true;
}

}  // namespace

ToneColumns ToneColumnsOf(std::uint16_t rxTone, std::uint16_t txTone)
{
    const Side tx = SideOf(txTone);
    const Side rx = SideOf(rxTone);
    ToneColumns c;
    if (tx.kind == Squelch::Off && rx.kind == Squelch::Off) {
        return c;
    }
    if (tx.kind == Squelch::Ctcss && rx.kind == Squelch::Off) {
        c.tone = "Tone";
        c.rToneFreq = tx.value;
        return c;
    }
    if (tx.kind == Squelch::Ctcss && rx.kind == Squelch::Ctcss && tx.value == rx.value) {
        c.tone = "TSQL";
        c.cToneFreq = tx.value;
        return c;
    }
    c.dtcsPolarity = {tx.polarity, rx.polarity};
    if (tx.kind == Squelch::Dcs && rx.kind == Squelch::Dcs && tx.value == rx.value) {
        c.tone = "DTCS";
        c.dtcsCode = tx.value;
        return c;
    }
    c.tone = "Cross";
    c.crossMode = std::string(CrossName(tx.kind)) + "->" + CrossName(rx.kind);
    if (tx.kind == Squelch::Ctcss) {
        c.rToneFreq = tx.value;
    } else if (tx.kind == Squelch::Dcs) {
        c.dtcsCode = tx.value;
    }
    if (rx.kind == Squelch::Ctcss) {
        c.cToneFreq = rx.value;
    } else if (rx.kind == Squelch::Dcs) {
        c.rxDtcsCode = rx.value;
    }
    return c;
}

std::optional<RowFault> TonesOf(const ToneColumns& columns, std::uint16_t& rxTone,
                                std::uint16_t& txTone)
{
    const std::string_view mode = TrimBlanks(columns.tone);
    Squelch tx = Squelch::Off;
    Squelch rx = Squelch::Off;
    // Which columns hold the two tones: TSQL and DTCS use one column for both sides.
    const char* txToneColumn = "rToneFreq";
    const std::string* txToneText = &columns.rToneFreq;
    const char* rxDcsColumn = "RxDtcsCode";
    const std::string* rxDcsText = &columns.rxDtcsCode;
    if (mode.empty()) {
    } else if (SameWord(mode, "Tone")) {
        tx = Squelch::Ctcss;
    } else if (SameWord(mode, "TSQL")) {
        tx = rx = Squelch::Ctcss;
        txToneColumn = "cToneFreq";
        txToneText = &columns.cToneFreq;
    } else if (SameWord(mode, "DTCS")) {
        tx = rx = Squelch::Dcs;
        rxDcsColumn = "DtcsCode";
        rxDcsText = &columns.dtcsCode;
    } else if (SameWord(mode, "Cross")) {
        const std::string_view cross = TrimBlanks(columns.crossMode);
        const std::size_t arrow = cross.find("->");
        const bool parsed = arrow != std::string_view::npos &&
                            SquelchOfCross(cross.substr(0, arrow), tx) &&
                            SquelchOfCross(cross.substr(arrow + 2), rx);
        // Every pair is a cross mode but "->" and "Tone->" (that one is the mode Tone).
        if (!parsed || (rx == Squelch::Off && tx != Squelch::Dcs)) {
            return Fault(RowProblem::Unreadable, "CrossMode", columns.crossMode);
        }
    } else {
        return Fault(RowProblem::Unreadable, "Tone", columns.tone);
    }

    const std::string_view polarity = TrimBlanks(columns.dtcsPolarity);
    auto letter = [&](std::size_t k) {
        const char c = polarity.size() == 2 ? char(polarity[k] & ~0x20) : '?';
        return c == 'N' || c == 'R' ? c : '?';
    };
    if ((tx == Squelch::Dcs || rx == Squelch::Dcs) && (letter(0) == '?' || letter(1) == '?')) {
        return Fault(RowProblem::Unreadable, "DtcsPolarity", columns.dtcsPolarity);
    }
    std::uint16_t txCode = kToneOff;
    std::uint16_t rxCode = kToneOff;
    if (auto fault = SideCode(tx, txToneColumn, *txToneText, "DtcsCode", columns.dtcsCode,
                              letter(0), txCode)) {
        return fault;
    }
    if (auto fault = SideCode(rx, "cToneFreq", columns.cToneFreq, rxDcsColumn, *rxDcsText,
                              letter(1), rxCode)) {
        return fault;
    }
    txTone = txCode;
    rxTone = rxCode;
    return std::nullopt;
}

}  // namespace radio
