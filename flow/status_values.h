#pragma once
// The status values that status conditions, the status command and code read and write:
// fifteen values of a character (mostly its own copy of the definition) and five values
// of the system. One table of field numbers, widths and ranges, so every reader agrees on
// which member a field is and in which width it is stored.
#include <cstdint>
#include <optional>

class cCharaBase;
class cSceneGame;

// Character fields.
constexpr int kStatusCharaVar = 0;  // entry of m_vCharaVar
constexpr int kStatusHp = 1;
constexpr int kStatusSp = 2;
constexpr int kStatusMaxHp = 3;
constexpr int kStatusMaxSp = 4;
constexpr int kStatusCharaId = 5;
constexpr int kStatusZ = 6;
constexpr int kStatusMark = 7;
constexpr int kStatusSight = 8;   // half blocks; player-controlled characters only
constexpr int kStatusPower = 9;
constexpr int kStatusImpact = 10;
constexpr int kStatusDefence = 11;
constexpr int kStatusImpactResist = 12;
constexpr int kStatusStop = 13;   // stoppability; stands for the friction m_dFriction
constexpr int kStatusScore = 14;  // score when defeated
constexpr int kStatusFieldCount = 15;

// System fields (subject 5).
constexpr int kSystemTime = 0;
constexpr int kSystemScrollX = 1;
constexpr int kSystemScrollY = 2;
constexpr int kSystemScore = 3;
constexpr int kSystemLives = 4;
constexpr int kSystemFieldCount = 5;

constexpr std::int32_t kUnlimitedLivesValue = 999999;

enum class eStatusWidth { W32, W16, W8 };

// The storage width of a character field (32 bits for fields outside the table).
[[nodiscard]] eStatusWidth StatusFieldWidth(int field);

// The range the status command keeps a value in.
struct sStatusRange {
  std::int32_t m_nMin = 0;
  std::int32_t m_nMax = 0;
};
// Character fields; none outside 0-14.
[[nodiscard]] std::optional<sStatusRange> StatusFieldRange(int field);
// System fields; none outside 0-4.
[[nodiscard]] std::optional<sStatusRange> SystemFieldRange(int field);

// The value of a character field, sign-extended from its width; 0 for fields outside
// 0-14. Field 0 reads character variable `charaVarIndex` through the guarded access.
[[nodiscard]] std::int32_t GetCharaStatusValue(const cCharaBase& c, int field, int charaVarIndex);

// Stores `value` into a character field, truncated to the field's width (no clamp: the
// caller's operation clamps). Fields outside 0-14 and a character variable index out of
// range (reported as the guarded access reports it) change nothing. HP and SP are stored directly; the status command goes through
// AddHp/AddSp instead.
void SetCharaStatusValue(cCharaBase& c, int field, int charaVarIndex, std::int32_t value);

// The current system value as it is stored (time left, the stage's automatic scroll speeds,
// the stage score, the lives, 999999 meaning unlimited); none outside 0-4.
[[nodiscard]] std::optional<std::int32_t> GetSystemValue(const cSceneGame& scene, int field);

// A system value as an operand: time reads 0 while there is no time limit, unlimited
// lives read 0, fields outside 0-4 read 0.
[[nodiscard]] std::int32_t GetSystemOperand(const cSceneGame& scene, int field);

// A common (kind 0) or stage (kind 1) variable through the guarded access; 0 for other
// kinds.
[[nodiscard]] std::int32_t GetVariable(const cSceneGame& scene, int kind, int index);
// The variable's storage, or null for other kinds or an index out of range (reported
// as the guarded access reports it).
[[nodiscard]] std::int32_t* VariableSlot(cSceneGame& scene, int kind, int index);
