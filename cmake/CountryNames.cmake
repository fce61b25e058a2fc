# cmake -DJSON=iso_3166-1.json -DMO=de/LC_MESSAGES/iso_3166-1.mo -DOUTPUT=file.cpp -P ...
# Writes the table of country names for the importers from Debian's iso-codes: every English
# name of a country (its name, common name and official name) with the German short name, which
# is the translation of the common name where there is one, else of the name. The texts stay
# UTF-8, written byte by byte as escapes, so that the source file is plain ASCII.

file(READ "${MO}" mo HEX)
# A 32-bit little-endian number at a byte offset of the message catalogue.
function(mo_word offset result)
  math(EXPR at "${offset} * 2")
  string(SUBSTRING "${mo}" ${at} 8 bytes)
  string(REGEX REPLACE "(..)(..)(..)(..)" "\\4\\3\\2\\1" bytes "${bytes}")
  math(EXPR value "0x${bytes}")
  set(${result} ${value} PARENT_SCOPE)
endfunction()
# The bytes of a string of the catalogue whose length and offset stand at `entry`, in hex.
function(mo_string entry result)
  mo_word(${entry} length)
  math(EXPR next "${entry} + 4")
  mo_word(${next} offset)
  math(EXPR at "${offset} * 2")
  math(EXPR hexLength "${length} * 2")
  string(SUBSTRING "${mo}" ${at} ${hexLength} text)
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

mo_word(0 magic)
if(NOT magic EQUAL 2500072158) # 0x950412de, written little-endian
  message(FATAL_ERROR "${MO} is no little-endian message catalogue")
endif()
mo_word(8 count)
mo_word(12 originals)
mo_word(16 translations)
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  math(EXPR original "${originals} + ${i} * 8")
  math(EXPR translation "${translations} + ${i} * 8")
  mo_string(${original} english)
  mo_string(${translation} german)
  set("german_${english}" "${german}")
endforeach()

file(READ "${JSON}" json)
string(JSON countries GET "${json}" "3166-1")
string(JSON countryCount LENGTH "${countries}")
math(EXPR last "${countryCount} - 1")
set(rows "")
foreach(i RANGE ${last})
  string(JSON country GET "${countries}" ${i})
  string(JSON short ERROR_VARIABLE noCommonName GET "${country}" common_name)
  if(noCommonName)
    string(JSON short GET "${country}" name)
  endif()
  string(HEX "${short}" shortHex)
  if(DEFINED "german_${shortHex}")
    set(germanHex "${german_${shortHex}}")
  else()
    set(germanHex "${shortHex}")
  endif()
  string(REGEX REPLACE "(..)" "\\\\x\\1" germanText "${germanHex}")
  foreach(key name common_name official_name)
    string(JSON english ERROR_VARIABLE missing GET "${country}" ${key})
    if(NOT missing)
      string(HEX "${english}" englishHex)
      string(REGEX REPLACE "(..)" "\\\\x\\1" englishText "${englishHex}")
      string(APPEND rows "    {\"${englishText}\", \"${germanText}\"},\n")
    endif()
  endforeach()
endforeach()

file(WRITE "${OUTPUT}.new" "// Made by cmake/CountryNames.cmake from Debian's iso-codes; not to be edited.
#include \"convert/country_names.h\"

const std::vector<CountryNames::TIsoName>& CountryNames::IsoNames() {
    static const std::vector<TIsoName> names = {
${rows}    };
    return names;
}
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
