#pragma once

#include "twips.h"

#include <QFont>

#include <string>

// The font of the channel grid (Arial), also used to measure column and label widths.
QFont GridFont();

// The wider of the two texts as rendered in the grid font, in twips, plus 100.
int GetMaxWidth(const std::string &str1, const std::string &str2);
