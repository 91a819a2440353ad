#include "crew/CrewVocabulary.hpp"

#include <algorithm>

namespace CrewVocabulary {

const std::vector<std::string>& professions()
{
    static const std::vector<std::string> list = { "Mechanic",  "Farmer",  "Politician", "Soldier",  "Surgeon",
                                                   "Scientist", "Athlete", "Comedian",   "Counselor" };
    return list;
}

const std::vector<std::string>& positiveTraits()
{
    static const std::vector<std::string> list = { "Observant", "Lucky",    "Empathic", "Cautious",
                                                   "Abstemious", "Strong",  "Stealthy", "Tough",
                                                   "Teamworker", "Polite",  "Confident", "Genial" };
    return list;
}

const std::vector<std::string>& negativeTraits()
{
    static const std::vector<std::string> list = { "Distracted", "Stubborn", "Violent",  "Reckless",
                                                   "Gluttonous", "Weak",     "Addicted", "Disabled",
                                                   "Loner",      "Kleptomaniac", "Xenophobic", "Competitive" };
    return list;
}

const std::vector<std::string>& pronounSets()
{
    static const std::vector<std::string> list = { "He/Him/His", "She/Her/Hers", "They/Them/Theirs", "Xe/Xem/Xyrs" };
    return list;
}

const std::vector<std::string>& species()
{
    static const std::vector<std::string> list = { "Human", "Cygen", "Cephalopod", "Avian" };
    return list;
}

bool isSpecies(const std::string& trait)
{
    const auto& list = species();
    return std::find(list.begin(), list.end(), trait) != list.end();
}

} // namespace CrewVocabulary
