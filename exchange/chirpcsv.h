#pragma once

// Channels as a CHIRP-layout CSV file, so they can be moved to and from other radios through
// CHIRP. The file has CHIRP's standard columns; this radio's fields map onto them as follows.
//
// Location: 1..20 within a group, 1..500 over all groups. Frequency: the receive frequency.
// Duplex and Offset: the transmit frequency ("" same, "+"/"-" with the offset, "off" receive
// only; "split" with the transmit frequency in Offset is read too). Tone and its value
// columns: the two guards ("Tone" transmit tone, "TSQL" one tone both ways, "DTCS" one code
// both ways with a polarity letter per side, "Cross" with CrossMode otherwise). Mode: "NFM"
// narrow, "FM" wide. Skip: "S" when the channel is not scanned. Power: "2.0W" low, "5.0W"
// high. Comment: "UTXG n" for a transmit guard taken from the pick list, whose guard the tone
// columns hold; read back, it refers to the pick list again while entry n holds that guard.
// Read back, a Power beginning with "L" or below 3.5 W is low.

#include "memmap.h"

#include <string>
#include <vector>

// Inactive channels are left out. group: 0..24, or -1 for all 500 channels.
std::string ExportChannelsCsv(const MemMapImage &mm, int group);

struct CsvNote {
    int line; // of the file, from 1
    std::string what;
};

// Which channel a row becomes: the one its Location names (rows outside 1..20 are skipped), or
// the next one in file order, whatever the Location says.
enum class CsvNumbering { ByLocation, FileOrder };

// The note of a file that carries no channel.
inline constexpr char CsvNoChannelNote[] = "no channel carried";

// Replaces group 0..24 with the file's channels; channels the file does not carry become
// Inactive. A row that cannot be carried whole is skipped; it and everything carried only
// in part (a name cut or with characters the label table lacks, a frequency moved onto the
// raster) get a note. Returns false, with the image unchanged and the reason as the last note,
// when the text has no CHIRP header with a Frequency column or carries no channel.
// outsideGroup, when given, counts the rows skipped for a Location outside 1..20.
bool ImportChannelsCsv(const std::string &text, int group, MemMapImage &mm,
                       std::vector<CsvNote> &notes,
                       CsvNumbering numbering = CsvNumbering::ByLocation,
                       int *outsideGroup = nullptr);

// "file:line: what".
std::string CsvNoteLine(const std::string &file, const CsvNote &note);
