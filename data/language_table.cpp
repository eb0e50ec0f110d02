#include "data/language_table.h"

namespace radio {

namespace {

const std::string kEmpty;

const std::vector<std::string>& Fallbacks()
{
    static const std::vector<std::string> fallbacks = {
        "The radio reports %1 but the data is for %2. Writing data for another band or model can "
        "make the radio unusable. Write anyway?",
        "%3 channels at %1-%2 MHz",
        "%1 is not a radio data file: it holds %2 bytes and a data file at least 940.",
        "%1 could not be opened: %2",
        "%1 could not be saved: %2",
        "No serial device stands for %1. Connect the programming cable or choose another port in "
        "Settings.",
        "%1 (%2) cannot be opened: permission denied. On Linux add your user to the dialout group "
        "(sudo usermod -aG dialout $USER) then log out and in again.",
        "%1 (%2) is in use by another program. Close that program and try again.",
        "%1 (%2) could not be opened: %3",
        "The port number %1 is not one of COM1 to COM10. Choose a port in Settings.",
        "The radio does not answer. Check that it is switched on and that the cable is plugged in "
        "firmly.",
        "The radio refused to enter programming mode.",
        "The radio's answer was missing or wrong (%1).",
        "A read or write is running. Wait until it has finished.",
        "Enter a whole number from %1 to %2.",
        "Enter a number from %1 to %2.",
        "Enter at most %1 characters.",
        "The help page %1 could not be found.",
        "The printout could not be made.",
        "%1 already exists. Replace it?",
        "Print Preview(&V)",
        "Verify after write(&V)",
        "Write to several radios...(&S)",
        "Open backup...(&B)",
        "Verifying the radio...",
        "Verify failed at %1: written %2 but the radio holds %3.",
        "Everything was written but reading it back to verify it failed:",
        "No backup was kept: %1 could not be saved (%2).",
        "Write to several radios",
        "Start(&S)",
        "Close(&C)",
        "Written",
        "Written and verified",
        "Failed: %1",
        "Writing...",
        "These radios report another band or model than the data (%2): %1. Writing data for "
        "another band or model can make a radio unusable. Write into them anyway?",
        "Not written: another band or model",
    };
    return fallbacks;
}

}  // namespace

LanguageTable::LanguageTable() : m_texts(std::size_t(Count())) {}

const std::string& LanguageTable::Fallback(int n)
{
    const int i = n - kClassicTextCount;
    if (i < 0 || i >= int(Fallbacks().size())) {
        return kEmpty;
    }
    return Fallbacks()[std::size_t(i)];
}

const std::string& LanguageTable::Text(int n) const
{
    if (n < 0 || n >= Count()) {
        return kEmpty;
    }
    const std::string& t = m_texts[std::size_t(n)];
    if (n >= kClassicTextCount && t.empty()) {
        return Fallback(n);
    }
    return t;
}

void LanguageTable::SetText(int n, std::string value)
{
    if (n >= 0 && n < Count()) {
        m_texts[std::size_t(n)] = std::move(value);
    }
}

}  // namespace radio
