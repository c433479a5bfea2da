// Key layout tables of the keyboard light effects, all in UI key indexes
// (170 = no key; the seven-row ripple map uses 255).
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace light {

inline constexpr uint8_t kNoKey = 170;
inline constexpr int kColumns = 23;
inline constexpr int kRows = 6;

// Column matrix [column][row].
const std::array<std::array<uint8_t, 6>, 23>& ColumnMatrix();
// The matrix with an extra row, for the ripple initialisation.
const std::array<std::array<uint8_t, 7>, 23>& RippleMap();
// Snake order of the main keys, padded with 170.
const std::array<uint8_t, 170>& SnakeOrder();
int SnakeLength();
// Twelve diagonals of up to twelve keys.
const std::array<std::array<uint8_t, 12>, 12>& DiagonalPattern();
// 52 frames of up to twelve keys.
const std::array<std::array<uint8_t, 12>, 52>& SweepPattern();
// The key-sweep sequence, padded with 170, and its length without padding.
const std::array<uint8_t, 170>& KeySequence();
int KeySequenceLength();
const std::array<uint8_t, 104>& SparkleCandidates();
const std::array<uint8_t, 192>& TwinkleCurve();

struct KeyCell {
    int8_t column = -1;
    int8_t row = -1;
};
// Matrix cell of a key; column -1 for keys not on the matrix.
KeyCell CellOfKey(int key);
uint8_t KeyAt(int column, int row);
// Keys on the square ring at distance `ring` (1 closer, 2 further) around a
// key; only cells that hold a key.
std::vector<uint8_t> Neighbours(int key, int ring);

}  // namespace light
