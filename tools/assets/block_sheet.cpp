// The blocks: 32 x 16 frames in five columns (frame k at left 32 k) and twelve rows, 160 x 192
// in all. Row top 0: vanishing frames (frame 4 plays first, frame 0 last and empty, so the cell
// ends clean); top 16: appearing frames, growing from the centre into a value-2 block; top 16 v
// for v = 2 to 6: the steady block (frame 0) and frames 1 to 4 growing it into value v + 1;
// top 16 v + 80: the five flashing frames of value v. The steady, growing and flashing frames
// are drawn over older pictures of the cell, so they cover all 32 x 16 pixels; vanishing and
// appearing frames are drawn over erased background and keep the white key around them.
#include "draw.h"
#include "palette.h"
#include "sheets.h"

namespace assets {

namespace {

constexpr int frameWidth = 32, frameHeight = 16;

// Value v's colour, v + 1's for the widening band of its growth frames.
Rgb valueColour(int v) {
    return v <= 6 ? palette::blockColour[v] : palette::hotterThanCrimson;
}

void drawBlock(Canvas& sheet, int left, int top, Rgb base, Rgb band, int bandWidth) {
    bevelRect(sheet, left, top, frameWidth, frameHeight, base);
    // A soft sheen across the upper half, brightest at the top-left corner.
    fillRect(sheet, left + 2, top + 2, frameWidth - 5, 2, lighten(base, 0.22));
    fillRect(sheet, left + 2, top + 4, frameWidth - 5, 1, lighten(base, 0.1));
    fillRect(sheet, left + 3, top + 2, 4, 1, lighten(base, 0.6));
    fillRect(sheet, left + 2, top + 3, 2, 1, lighten(base, 0.45));
    if (bandWidth > 0) {
        int bandLeft = left + (frameWidth - bandWidth) / 2;
        fillRect(sheet, bandLeft, top + 6, bandWidth, 5, band);
        fillRect(sheet, bandLeft, top + 6, bandWidth, 1, lighten(band, 0.35));
        fillRect(sheet, bandLeft, top + 10, bandWidth, 1, darken(band, 0.3));
    }
}

// The strength mark: v - 1 small dark studs in a row along the lower edge, so a block's value
// can be read without its colour, also while it flashes.
void drawStrengthMark(Canvas& sheet, int left, int top, int v) {
    int count = v - 1, width = count * 3 - 1;
    int x = left + (frameWidth - width) / 2;
    for (int i = 0; i < count; ++i, x += 3) {
        Rgb under = sheet.get(x, top + 12);
        fillRect(sheet, x, top + 12, 2, 2, darken(under, 0.6));
    }
}

void tintFrame(Canvas& sheet, int left, int top, Rgb tint, double amount) {
    for (int y = top; y < top + frameHeight; ++y)
        for (int x = left; x < left + frameWidth; ++x)
            sheet.set(x, y, opaque(mix(sheet.get(x, y), tint, amount)));
}

void drawValueRows(Canvas& sheet, int v) {
    Rgb base = valueColour(v), next = valueColour(v + 1);
    int top = 16 * v;
    drawBlock(sheet, 0, top, base, base, 0);
    drawStrengthMark(sheet, 0, top, v);
    for (int k = 1; k <= 4; ++k) {
        drawBlock(sheet, 32 * k, top, mix(base, next, 0.15 * k), next, 6 * k + 2);
        drawStrengthMark(sheet, 32 * k, top, v);
    }
    // Flashing pulses toward a warm bright tint and back over five frames; even at its peak the
    // block keeps enough of its own colour to stay brighter or darker than its neighbours in
    // strength, and its mark is drawn over the tint.
    constexpr double pulse[5] = {0.15, 0.3, 0.45, 0.3, 0.15};
    int flashTop = 16 * v + 80;
    for (int k = 0; k < 5; ++k) {
        drawBlock(sheet, 32 * k, flashTop, base, base, 0);
        tintFrame(sheet, 32 * k, flashTop, Rgb{255, 248, 222}, pulse[k]);
        drawStrengthMark(sheet, 32 * k, flashTop, v);
    }
}

// A shard or a grown block of the given size centred in its frame.
void centredBlock(Canvas& sheet, int left, int top, int width, int height, Rgb colour) {
    bevelRect(sheet, left + (frameWidth - width) / 2, top + (frameHeight - height) / 2, width,
              height, colour);
}

void drawSparkle(Canvas& sheet, int x, int y, Rgb colour) {
    sheet.set(x, y, palette::nearWhite);
    sheet.set(x - 1, y, colour);
    sheet.set(x + 1, y, colour);
    sheet.set(x, y - 1, colour);
    sheet.set(x, y + 1, colour);
}

void drawVanishingRow(Canvas& sheet) {
    Rgb pale{250, 236, 176}, ember{255, 176, 72};
    // Frame 4: the block flares pale and cracks.
    centredBlock(sheet, 128, 0, 28, 12, pale);
    fillRect(sheet, 128 + 15, 3, 1, 10, ember);
    fillRect(sheet, 128 + 6, 8, 20, 1, ember);
    // Frame 3: four shards drawing in toward the centre.
    for (int qx : {0, 1})
        for (int qy : {0, 1})
            bevelRect(sheet, 96 + 5 + qx * 12, 3 + qy * 6, 10, 4, pale);
    // Frame 2: smaller shards, closer in, and the first sparks.
    for (int qx : {0, 1})
        for (int qy : {0, 1})
            bevelRect(sheet, 64 + 9 + qx * 9, 4 + qy * 5, 5, 3, ember);
    drawSparkle(sheet, 64 + 4, 2, ember);
    drawSparkle(sheet, 64 + 27, 13, ember);
    // Frame 1: a last glint in the middle.
    drawSparkle(sheet, 32 + 15, 7, ember);
    drawSparkle(sheet, 32 + 9, 11, pale);
    drawSparkle(sheet, 32 + 22, 4, pale);
    // Frame 0 stays empty: it is the last picture left on the cleared cell.
}

void drawAppearingRow(Canvas& sheet) {
    Rgb c = valueColour(2);
    constexpr int widths[5] = {4, 8, 14, 22, 28}, heights[5] = {2, 4, 8, 12, 14};
    for (int k = 0; k < 5; ++k)
        centredBlock(sheet, 32 * k, 16, widths[k], heights[k], c);
}

} // namespace

Canvas drawBlockSheet() {
    Canvas sheet(5 * frameWidth, 12 * frameHeight);
    drawVanishingRow(sheet);
    drawAppearingRow(sheet);
    for (int v = 2; v <= 6; ++v)
        drawValueRows(sheet, v);
    return sheet;
}

} // namespace assets
