#pragma once

#include <QString>
#include <optional>

#include "app/core/Color.h"

// The text form of a stored colour: a standard name ("clRed", "clBtnFace", ...) where the value has
// one, otherwise "$" and eight uppercase hex digits of the 0x00BBGGRR value.
QString colorToText(ColorRef color);

// Reads a standard name (any letter case), "$" + hex digits or a decimal integer; nullopt for
// anything else.
std::optional<ColorRef> colorFromText(const QString& text);
