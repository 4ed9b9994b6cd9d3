#pragma once
// Reads a standard MIDI file through without playing it: a synthesiser may accept a damaged
// file and then play nothing, which would look like a song that ends at once.
#include <string>
#include <string_view>

// True for a well-formed standard MIDI file with at least one note.
bool IsPlayableMidiData(std::string_view bytes);
bool IsPlayableMidi(const std::string& path);
