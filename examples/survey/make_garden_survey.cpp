// Writes the example survey-record file garden.svy: a garden-tree survey of six trees whose
// chain runs 0 -> 3 -> 1 -> 2 -> 5 -> 4, with species names and a secondary place name.
#include "survey_file_builder.h"

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_garden_survey OUT\n");
    return 2;
  }
  struct Tree {
    int slot;
    uint16_t next;
    const char* tag;
    const char* note;
    int16_t count;
    int8_t species;
    int16_t age;
    float girth, height, crown;
    int16_t pruned;
    int8_t grade, site;
  };
  const Tree trees[] = {
      {0, 3, "T01", "正門の左", 1, 1, 40, 1.25f, 6.5f, 3.75f, 2024, 0, 0},
      {3, 1, "T02", "池の北", 2, 2, 25, 0.8f, 4.25f, 2.5f, 2025, 1, 0},
      {1, 2, "T03", "駐車場の端", 1, 3, 60, 2.1f, 11.0f, 6.0f, 2023, 0, 1},
      {2, 5, "T04", "本館裏,生垣", 12, 4, 8, 0.15f, 1.5f, 0.75f, 2026, 2, 0},
      {5, 4, "T05", "名札なし", 1, 0, 15, 0.5f, 3.0f, 1.75f, -1, 1, 1},
      {4, kChainEndMarker, "T06", "枯れ枝あり", 1, 1, 35, 1.1f, 5.5f, 3.25f, 2022, 2, 0},
  };
  SurveyFileBuilder file;
  file.Category(0).Title("庭園-本館前庭[2026年春]");
  file.PrimaryName(1, "クロマツ").PrimaryName(2, "イロハモミジ").PrimaryName(3, "ケヤキ").PrimaryName(4, "ツツジ");
  file.SecondaryName(0, "樹種不明");
  for (const Tree& t : trees) {
    SurveyEntryFields e;
    e.next = t.next;
    e.textA = t.tag;
    e.textB = t.note;
    e.valueA = t.count;
    e.primaryIndex = t.species;
    e.secondaryIndex = 0;
    e.valueB = t.age;
    e.realA = t.girth;
    e.realB = t.height;
    e.realC = t.crown;
    e.valueC = t.pruned;
    e.gradeIndex = t.grade;
    e.siteIndex = t.site;
    file.Entry(t.slot, e);
  }
  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr) return 1;
  const bool written = std::fwrite(file.bytes().data(), 1, file.bytes().size(), out) == file.bytes().size();
  return std::fclose(out) == 0 && written ? 0 : 1;
}
