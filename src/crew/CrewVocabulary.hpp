#pragma once

#include <string>
#include <vector>

// The fixed words of the crew: professions, traits, pronoun sets and species, in the order
// the crew creator offers them. A species is carried as one of a character's traits (the
// creator writes it first); trait displays leave species out.
namespace CrewVocabulary {

const std::vector<std::string>& professions();
const std::vector<std::string>& positiveTraits();
const std::vector<std::string>& negativeTraits();
// Three words joined by "/": nominative, oblique, possessive.
const std::vector<std::string>& pronounSets();
const std::vector<std::string>& species();
bool isSpecies(const std::string& trait);

} // namespace CrewVocabulary

// Where the shipped portraits live, relative to the assets folder.
inline const char* const charactersFolder = "general/character_related/characters/";
