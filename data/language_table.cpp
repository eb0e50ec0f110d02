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
        "Recent Files(&F)",
        "%1 is no longer there. It has been taken off the recent files.",
        "Check of %1: %2",
        "you may open it",
        "you may not open it: it belongs to group %1 and you are not in that group; fix: sudo "
        "usermod -aG %1 $USER then log out and in again",
        "you are in group %1 but this login is not yet; fix: log out and in again (or run newgrp "
        "%1)",
        "only its owner %1 may open it (mode %2); fix: sudo chmod a+rw %3 (until it is plugged in "
        "again)",
        "held by %1; fix: %2",
        "%1 (process %2)",
        "it may be held by a process of another user; sudo fuser -v %1 names it",
        "no other process holds it",
        "opens at 9600 8N2",
        "does not open at 9600 8N2: %1",
        "opens but does not keep 9600 8N2 (%1)",
        "%1 does not exist; fix: connect the programming cable (sudo dmesg | tail shows whether "
        "the adapter was seen)",
        "no USB adapter information",
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
