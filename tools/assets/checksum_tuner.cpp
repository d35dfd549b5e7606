#include "checksum_tuner.h"

#include <algorithm>
#include <bit>

#include "checksum.h"

namespace assets {

namespace {

constexpr int safeByteLimit = 250;
constexpr size_t subsetSize = 40;

uint32_t inverseMod32(uint32_t odd) {
    uint32_t x = odd; // correct to 3 bits; each Newton step doubles the correct bits
    for (int i = 0; i < 5; ++i)
        x *= 2 - odd * x;
    return x;
}

// Covered byte offsets, in memory order, that lie in usable pixels inside the area.
std::vector<size_t> usableBytes(const Canvas& canvas, const TuneArea& area) {
    size_t covered = static_cast<size_t>(canvas.width) * static_cast<size_t>(canvas.height);
    std::vector<size_t> usable;
    for (size_t at = 0; at + 3 <= covered; at += 3) {
        size_t pixel = at / 3;
        int x = static_cast<int>(pixel % static_cast<size_t>(canvas.width));
        int y = canvas.height - 1 - static_cast<int>(pixel / static_cast<size_t>(canvas.width));
        if (x < area.left || x >= area.left + area.width || y < area.top ||
            y >= area.top + area.height)
            continue;
        if (canvas.pixels[at] > safeByteLimit || canvas.pixels[at + 1] > safeByteLimit ||
            canvas.pixels[at + 2] > safeByteLimit)
            continue;
        for (size_t i = 0; i < 3; ++i)
            usable.push_back(at + i);
    }
    return usable;
}

bool tuneByRun(Canvas& canvas, uint32_t multiplier, uint32_t target,
               const std::vector<size_t>& usable) {
    size_t length = runLengthFor(multiplier);
    size_t covered = static_cast<size_t>(canvas.width) * static_cast<size_t>(canvas.height);
    size_t streak = 0;
    for (size_t i = 0; i < usable.size(); ++i) {
        streak = (i > 0 && usable[i] == usable[i - 1] + 1) ? streak + 1 : 1;
        if (streak == length)
            return tuneRun(canvas.pixels, covered, multiplier, target, usable[i + 1 - length]);
    }
    return false;
}

bool tuneBySubset(Canvas& canvas, uint32_t multiplier, uint32_t target,
                  const std::vector<size_t>& usable) {
    if (usable.size() < subsetSize) return false;
    size_t covered = static_cast<size_t>(canvas.width) * static_cast<size_t>(canvas.height);
    size_t stride = usable.size() / subsetSize;
    // Spread the bytes over the area; on the rare miss, shift the whole pick by one byte.
    for (size_t shift = 0; shift < std::min<size_t>(stride, 16); ++shift) {
        std::vector<size_t> positions;
        for (size_t i = 0; i < subsetSize; ++i)
            positions.push_back(usable[i * stride + shift]);
        if (tuneSubset(canvas.pixels, covered, multiplier, target, positions)) return true;
    }
    return false;
}

} // namespace

size_t runLengthFor(uint32_t multiplier) {
    if (multiplier < 2) return 0;
    size_t length = 0;
    uint64_t reach = 1;
    while (reach < (uint64_t{1} << 32)) {
        reach *= multiplier;
        ++length;
    }
    return length;
}

bool tuneRun(std::vector<uint8_t>& bytes, size_t covered, uint32_t multiplier, uint32_t target,
             size_t runStart) {
    size_t length = runLengthFor(multiplier);
    if (multiplier % 2 == 0 || length == 0 || runStart + length > covered || covered > bytes.size())
        return false;
    for (size_t j = 0; j < length; ++j)
        if (bytes[runStart + j] + (multiplier - 1) > 255) return false;
    uint32_t difference = target - bitmapChecksum(bytes.data(), covered, multiplier);
    size_t after = covered - (runStart + length);
    uint32_t scaled = difference * powerMod32(inverseMod32(multiplier), after);
    for (size_t j = length; j-- > 0;) {
        bytes[runStart + j] = static_cast<uint8_t>(bytes[runStart + j] + scaled % multiplier);
        scaled /= multiplier;
    }
    return bitmapChecksum(bytes.data(), covered, multiplier) == target;
}

bool tuneSubset(std::vector<uint8_t>& bytes, size_t covered, uint32_t multiplier, uint32_t target,
                std::span<const size_t> positions) {
    if (multiplier % 2 == 0 || positions.empty() || positions.size() > 2 * 20 ||
        covered > bytes.size())
        return false;
    for (size_t p : positions)
        if (p >= covered || bytes[p] == 255) return false;
    std::vector<uint32_t> weights;
    for (size_t p : positions)
        weights.push_back(powerMod32(multiplier, covered - 1 - p));
    uint32_t difference = target - bitmapChecksum(bytes.data(), covered, multiplier);

    size_t lowCount = positions.size() / 2, highCount = positions.size() - lowCount;
    auto subsetSums = [&](size_t first, size_t count) {
        std::vector<uint32_t> sums(size_t{1} << count);
        for (size_t mask = 1; mask < sums.size(); ++mask)
            sums[mask] = sums[mask & (mask - 1)] +
                         weights[first + static_cast<size_t>(std::countr_zero(mask))];
        return sums;
    };
    std::vector<uint32_t> lowSums = subsetSums(0, lowCount);
    std::vector<uint64_t> keyed(lowSums.size());
    for (size_t mask = 0; mask < lowSums.size(); ++mask)
        keyed[mask] = (uint64_t{lowSums[mask]} << 32) | mask;
    std::sort(keyed.begin(), keyed.end());
    std::vector<uint32_t> highSums = subsetSums(lowCount, highCount);

    for (size_t high = 0; high < highSums.size(); ++high) {
        uint32_t need = difference - highSums[high];
        auto found = std::lower_bound(keyed.begin(), keyed.end(), uint64_t{need} << 32);
        if (found == keyed.end() || (*found >> 32) != need) continue;
        uint64_t low = *found & 0xFFFFFFFF;
        for (size_t i = 0; i < lowCount; ++i)
            if (low >> i & 1) ++bytes[positions[i]];
        for (size_t i = 0; i < highCount; ++i)
            if (high >> i & 1) ++bytes[positions[lowCount + i]];
        return bitmapChecksum(bytes.data(), covered, multiplier) == target;
    }
    return false;
}

bool tuneChecksum(Canvas& canvas, uint32_t multiplier, uint32_t target, const TuneArea& area) {
    if (multiplier % 2 == 0 || multiplier == 1) return false;
    std::vector<size_t> usable = usableBytes(canvas, area);
    if (multiplier <= 5) return tuneByRun(canvas, multiplier, target, usable);
    return tuneBySubset(canvas, multiplier, target, usable);
}

} // namespace assets
