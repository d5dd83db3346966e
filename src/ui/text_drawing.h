#pragma once
// Drawing text with the bitmap fonts, glyph by glyph as interface quads.
// Positions and sizes are in interface units; texts are single bytes, each an
// index into the font's glyph table. '^' (the mark profile names carry) is
// never drawn. All of them do nothing for a null text.
#include <cstddef>

#include "ui/font.h"

// One line, top-left at (x, y), glyphs `height` high, showing the longest
// tail of the text that is narrower than maxWidth.
void DrawTextLine(const char* text, float x, float y, float maxWidth, float height, const char* fontName);

// Word-wrapped lines, glyphs and line step lineHeight; a line break (byte 10)
// starts a new line, and a word that would reach wrapWidth moves to the next.
void DrawTextWrapped(const char* text, float x, float y, float wrapWidth, const char* fontName, float lineHeight);

// DrawTextLine outside the interface pass: sets up the interface transforms,
// program, stream and depth state itself and puts them back afterwards.
void DrawTextOverlay(const char* text, float x, float y, float maxWidth, float height, const char* fontName);

// Index of the first character that DrawTextLine shows: measuring from the
// end, the character after the one whose width makes the sum reach maxWidth.
size_t FitLineStart(const Font& font, const char* text, size_t length, float maxWidth, float height);
