#include "convert/country_names.h"

#include "convert/readable_names.h"
#include "model/name_folding.h"
#include "model/windows1252.h"

#include <unordered_map>

namespace CountryNames {
namespace {

// The WMO files spell a country in many ways ("Burkina_Faso", "BurkinaFaso", "BURKINA FASO"):
// compared are the letters alone, folded as in the name search.
std::string Key(std::string_view windows1252) {
    std::string key = FoldName(windows1252);
    std::erase_if(key, [](char c) { return c < 'a' || c > 'z'; });
    return key;
}

// The spellings of the WMO files that ISO 3166-1 does not have, with the English ISO names they
// stand for (several joined by "|": the WMO counts a few territories together).
struct TWmoSpelling {
    const char* Wmo;
    const char* Iso;
};
constexpr TWmoSpelling WmoSpellings[] = {
    {"Bosnia_and_Herzegovina_Srpska", "Bosnia and Herzegovina"},
    {"BosniaAndHerzegovinaRepublicOfSrpska", "Bosnia and Herzegovina"},
    {"Cabo_Verde_Republic", "Cabo Verde"},
    {"Curacao_a._S._Maarten", "Curaçao|Sint Maarten (Dutch part)"},
    {"Curacao_and_SintMaarten", "Curaçao|Sint Maarten (Dutch part)"},
    {"Dem._Rep._Congo", "Congo, The Democratic Republic of the"},
    {"RepublicOfCongo", "Congo"},
    {"Denmark_Faroe_Islands", "Faroe Islands"},
    {"Denmark_Greenland", "Greenland"},
    {"Fr._Polynesia", "French Polynesia"},
    {"GUINEE CONAKRY", "Guinea"},
    {"Hong_Kong_China", "Hong Kong"},
    {"MacaoChina", "Macao"},
    {"Korea", "Korea, Republic of"},
    {"Rep._Korea", "Korea, Republic of"},
    {"Russian_Federation_(In_Asia)", "Russian Federation"},
    {"Russian_Federation_(In_Europe)", "Russian Federation"},
    {"St._Kitts_and_Nevis", "Saint Kitts and Nevis"},
    {"Turkiye", "Türkiye"},
    {"UAE", "United Arab Emirates"},
};

using TNames = std::unordered_map<std::string, std::string>;

// German names by the key of every English ISO name.
const TNames& IsoGerman() {
    static const TNames names = [] {
        TNames byKey;
        for (const TIsoName& name : IsoNames()) {
            const auto english = Windows1252::FromUtf8(name.English);
            const auto german = Windows1252::FromUtf8(name.German);
            if (english && german)
                byKey.emplace(Key(*english), *german);
        }
        return byKey;
    }();
    return names;
}

// German names by the key of every spelling of the WMO's own.
const TNames& WmoGerman() {
    static const TNames names = [] {
        TNames byKey;
        for (const TWmoSpelling& spelling : WmoSpellings) {
            std::string german;
            std::string_view iso = spelling.Iso;
            for (std::size_t bar; !iso.empty();
                 iso.remove_prefix(bar == iso.npos ? iso.size() : bar + 1)) {
                bar = iso.find('|');
                const auto found =
                    IsoGerman().find(Key(*Windows1252::FromUtf8(iso.substr(0, bar))));
                if (found != IsoGerman().end())
                    german += (german.empty() ? "" : " und ") + found->second;
            }
            byKey.emplace(Key(spelling.Wmo), german);
        }
        return byKey;
    }();
    return names;
}

const std::string* Find(std::string_view spelling) {
    const std::string key = Key(spelling);
    if (key.empty())
        return nullptr;
    if (const auto own = WmoGerman().find(key); own != WmoGerman().end())
        return &own->second;
    if (const auto iso = IsoGerman().find(key); iso != IsoGerman().end())
        return &iso->second;
    return nullptr;
}

} // namespace

std::string German(std::string_view spelling) {
    const std::string* german = Find(spelling);
    return german ? *german : ReadableNames::Readable(spelling);
}

bool IsKnown(std::string_view spelling) {
    return Find(spelling) != nullptr;
}

} // namespace CountryNames
