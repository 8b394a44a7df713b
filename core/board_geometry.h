#pragma once

// The twip geometry of the board: cell 0, the header labels and the pitch
// rule. Every other position is derived from these by the rebuild and the
// load action, so they stand here once.
namespace apqr::geometry {

inline constexpr int kColumns = 25;  // cells per row

inline constexpr float kCellWidth = 495;
inline constexpr float kCellHeight = 375;
inline constexpr float kCell0Left = 600;
inline constexpr float kCell0Top = 600;
inline constexpr float kCell1DesignLeft = 1200;  // before the load action moves it

// Distance between neighbouring cells as a multiple of the cell size.
inline constexpr double kPitch = 1.1;

inline constexpr float kHeaderWidth = 375;
inline constexpr float kHeaderHeight = 255;
inline constexpr float kColumnHeader0Left = 600;
inline constexpr float kColumnHeader0Top = 240;
inline constexpr float kRowHeader0Left = 0;
inline constexpr float kRowHeader0Top = 720;
inline constexpr int kColumnHeaders = 25;  // 0 … 24
inline constexpr int kRowHeaders = 21;     // 0, 25, … 500

// The board panel: its width never changes, its height grows by 20 % steps
// and is kept in units of its frame panel, one unit = 100 twips.
inline constexpr float kTafelWidth = 14145;
inline constexpr float kInitialTafelHeightUnits = 18.75F;
inline constexpr double kTwipsPerUnit = 100;
inline constexpr double kGrowthFactor = 1.2;
inline constexpr int kInitialScrollMax = 1000;

// Cell indices are 16-bit, so this is the largest modulus a board can hold.
inline constexpr int kMaxModulus = 32767;

}  // namespace apqr::geometry
