#pragma once
// The fixed platform and genre tables and the choice lists built from them.
#include <string>
#include <vector>

class TGameCore;

constexpr int PlatformCount = 19;
constexpr int GenreCount = 7;

struct TPlatformData {
    const char* ShortName;
    const char* FullName;
    int ReleaseYear;
    int Kind; // 1 home computer, 2 console, 3 PC
    int BaseStrength;
};

struct TGenreData {
    const char* Name;
    const char* LightCaption;
    const char* ListFile; // member of the game database
    int EngineRatio, SoundRatio, GraphicsRatio;
};

extern const TPlatformData Platforms[PlatformCount];
extern const TGenreData Genres[GenreCount];
// Development ratios of genre rows 0..9; rows 7..9 belong to no genre.
extern const int DevelopmentRatios[10][3];
extern const char* const GenreRatioHint;

// Short name, 37 spaces, ";" and the index: the list shows the name, the index is read back.
std::string PlatformChoiceEntry(int platform);
// The platform index of a choice-list entry (the text after ";"), or -1.
int PlatformOfChoice(const std::string& entry);
// Platforms 0..18 whose release year is at most limitYear, in index order.
std::vector<int> OfferedPlatforms(int limitYear);

struct TPlatformMatch {
    int Platform = -1;
    int Year = 0;
};

// The first platform of the table whose full name occurs in the given name (any case).
TPlatformMatch ResolvePlatformName(const std::string& name);

void FillPlatformTable(TGameCore& game);
void FillChoiceLists(TGameCore& game);
void RebuildYearChoiceLists(TGameCore& game);
