#include "data/language_table.h"

#include "data/language_fallbacks.h"

namespace radio {

namespace {

const std::string kEmpty;

}  // namespace

LanguageTable::LanguageTable()
    : m_texts(std::size_t(Count())), m_supplied(std::size_t(Count()), false)
{
}

const std::string& LanguageTable::Fallback(int n)
{
    const std::vector<std::string>& english = EnglishTexts();
    if (n < 0 || n >= int(english.size())) {
        return kEmpty;
    }
    return english[std::size_t(n)];
}

const std::string& LanguageTable::Text(int n) const
{
    if (n < 0 || n >= Count()) {
        return kEmpty;
    }
    const std::string& t = m_texts[std::size_t(n)];
    // A classic text the file supplied stands as it is, even empty; an extended text
    // left empty by a file made before it existed takes the English one.
    const bool supplied = m_supplied[std::size_t(n)] && (n < kClassicTextCount || !t.empty());
    return supplied ? t : Fallback(n);
}

void LanguageTable::SetText(int n, std::string value)
{
    if (n >= 0 && n < Count()) {
        m_texts[std::size_t(n)] = std::move(value);
        m_supplied[std::size_t(n)] = true;
    }
}

}  // namespace radio
