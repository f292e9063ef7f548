#include "flow/code_eval.h"

#include <array>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/checked_access.h"
#include "app/message_boxes.h"
#include "app/random.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/system_data.h"
#include "flow/var_op.h"
#include "objects/chara_base.h"
#include "objects/move_support.h"
#include "objects/player.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

std::int32_t g_bCodeError = 0;

namespace {

constexpr std::array<std::string_view, 1> g_CodeFuncs = {"rand"};
constexpr std::array<std::string_view, 6> g_CodeOperators = {"=", "+", "-", "*", "/", "%"};
// A lower number is applied first.
constexpr std::array<int, 6> g_CodeOpPrecedence = {2, 1, 1, 0, 0, 0};
constexpr std::array<std::string_view, 2> g_CodeVarPrefixes = {"C", "S"};
constexpr std::array<std::string_view, 8> g_CodeObjects = {"my", "tg", "tg1", "tg2", "tg3", "tg4", "pl", "sys"};
constexpr std::array<std::string_view, 22> g_CodeCharaFields = {
    "v1", "v2", "v3", "v4", "v5", "v6", "v7", "v8", "hp", "sp", "mhp",
    "msp", "cid", "z", "mark", "sight", "power", "imp", "def", "impd", "stop", "getsc"};
constexpr std::array<std::string_view, 5> g_CodeSysFields = {"time", "scrlx", "scrly", "score", "life"};

enum eOperator { kOpAssign, kOpAdd, kOpSub, kOpMul, kOpDiv, kOpMod };
enum eObject { kObjMy, kObjTg, kObjTg1, kObjTg2, kObjTg3, kObjTg4, kObjPl, kObjSys };
enum eCharaField { kFieldV8 = 7, kFieldHp, kFieldSp, kFieldMhp, kFieldMsp, kFieldCid, kFieldZ, kFieldMark,
                   kFieldSight, kFieldPower, kFieldImp, kFieldDef, kFieldImpd, kFieldStop, kFieldGetsc };
enum eSysField { kSysTime, kSysScrollX, kSysScrollY, kSysScore, kSysLife };
enum eOpKind { kKindLiteral, kKindVariable, kKindCharaField, kKindSysField, kKindOperator };

constexpr std::int32_t kValueLimit = 999999;
constexpr std::int32_t kUnlimitedLives = 999999;
// Texts come from game files and each group rebuilds the text: longer or deeper texts
// than an author can type in the editor's code line are refused, so that a damaged file
// can neither exhaust the stack nor stall the frame.
constexpr std::size_t kMaxCodeLength = 4096;
constexpr int kMaxGroupDepth = 64;
constexpr int kDarkRow = 65;  // the sight mask's surfaces, as set-up builds them
constexpr int kHoleRow = 66;

// One token of a flat statement.
class cCodeOperand {
 public:
  std::int32_t m_nOpKind = kKindLiteral;
  std::int32_t m_nOpValue = 0;
  void* m_pStore = nullptr;     // where an assignment writes
  std::int32_t m_nWidth = 4;    // bytes written: 0 one, 2 two, 4 four
  std::int32_t m_nOperator = -1;
  std::int32_t m_nMin = -kValueLimit;
  std::int32_t m_nMax = kValueLimit;
  std::int32_t m_nCharaField = -1;
  std::int32_t m_nSysField = -1;
  cCharaBase* m_pObject = nullptr;
};

template <std::size_t N>
int FindIn(const std::array<std::string_view, N>& table, std::string_view s) {
  for (std::size_t i = 0; i < N; ++i) {
    if (table[i] == s) return static_cast<int>(i);
  }
  return -1;
}

// Leading digits with an optional sign, 0 for any other text; out-of-range numbers
// saturate as the Windows runtime's atoi does (never undefined).
std::int32_t ReadInt(const std::string& s, std::size_t from = 0) {
  if (from >= s.size()) return 0;
  const long long v = std::strtoll(s.c_str() + from, nullptr, 10);
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(v);
}

std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
std::int32_t WrapSub(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
std::int32_t WrapMul(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}
// INT_MIN / -1 has no 32-bit quotient and traps on x86: it wraps to INT_MIN, remainder 0.
std::int32_t WrapDiv(std::int32_t a, std::int32_t b) { return (b == -1) ? WrapSub(0, a) : a / b; }
std::int32_t WrapMod(std::int32_t a, std::int32_t b) { return (b == -1) ? 0 : a % b; }

void SetStore(cCodeOperand& op, void* store, std::int32_t width, std::int32_t value, std::int32_t lo, std::int32_t hi) {
  op.m_pStore = store;
  op.m_nWidth = width;
  op.m_nOpValue = value;
  op.m_nMin = lo;
  op.m_nMax = hi;
}

void MakeCharaField(cCodeOperand& op, cCharaBase& c, int field) {
  cPaletteChara& d = c.m_Def;
  op.m_nOpKind = kKindCharaField;
  op.m_nCharaField = field;
  op.m_pObject = &c;
  if (field <= kFieldV8) {
    std::int32_t& v = CheckedAt(c.m_vCharaVar, field + 1);
    SetStore(op, &v, 4, v, -kValueLimit, kValueLimit);
    return;
  }
  switch (field) {
    case kFieldHp: SetStore(op, &c.m_nHp, 4, c.m_nHp, 0, d.m_nMaxHp); break;
    case kFieldSp: SetStore(op, &c.m_nSp, 4, c.m_nSp, 0, d.m_nMaxSp); break;
    case kFieldMhp: SetStore(op, &d.m_nMaxHp, 4, d.m_nMaxHp, 1, kValueLimit); break;
    case kFieldMsp: SetStore(op, &d.m_nMaxSp, 4, d.m_nMaxSp, 1, kValueLimit); break;
    case kFieldCid: SetStore(op, &d.m_nCharaId, 0, d.m_nCharaId, 0, 99); break;
    case kFieldZ: SetStore(op, &d.m_nZ, 0, d.m_nZ, 0, 7); break;
    case kFieldMark: SetStore(op, &d.m_nEmblem, 2, d.m_nEmblem, 0, 119); break;
    case kFieldSight: SetStore(op, &d.m_nSightRange, 0, d.m_nSightRange, 0, 40); break;
    case kFieldPower: SetStore(op, &d.m_nBodyPower, 4, d.m_nBodyPower, -kValueLimit, kValueLimit); break;
    case kFieldImp: SetStore(op, &d.m_nBodyImpact, 0, d.m_nBodyImpact, -20, 20); break;
    case kFieldDef: SetStore(op, &d.m_nDefence, 4, d.m_nDefence, 0, kValueLimit); break;
    case kFieldImpd: SetStore(op, &d.m_nImpactResist, 0, d.m_nImpactResist, 0, 20); break;
    case kFieldStop: SetStore(op, &d.m_nStopEase, 2, d.m_nStopEase, 0, 200); break;
    case kFieldGetsc: SetStore(op, &d.m_nScore, 4, d.m_nScore, -kValueLimit, kValueLimit); break;
    default: break;
  }
}

void MakeSysField(cCodeOperand& op, cSceneGame* scene, int field) {
  op.m_nOpKind = kKindSysField;
  op.m_nSysField = field;
  switch (field) {
    case kSysTime:
      if (scene != nullptr) SetStore(op, &scene->m_nTimeLeft, 4, scene->m_nTimeLeft, 0, 999);
      break;
    case kSysScrollX: SetStore(op, &g_StageData.m_nAutoScrollX, 4, g_StageData.m_nAutoScrollX, -480, 480); break;
    case kSysScrollY: SetStore(op, &g_StageData.m_nAutoScrollY, 4, g_StageData.m_nAutoScrollY, -480, 480); break;
    case kSysScore: SetStore(op, &g_Progress.m_nStageScore, 4, g_Progress.m_nStageScore, 0, kValueLimit); break;
    case kSysLife:
      // Unlimited lives read 0 and an assignment keeps them unlimited.
      if (g_Progress.m_nLives == kUnlimitedLives) {
        SetStore(op, &g_Progress.m_nLives, 4, 0, kUnlimitedLives, kUnlimitedLives);
      } else {
        SetStore(op, &g_Progress.m_nLives, 4, g_Progress.m_nLives, 0, 99);
      }
      break;
    default: break;
  }
}

void WriteStore(const cCodeOperand& a, std::int32_t v) {
  switch (a.m_nWidth) {
    case 0: *static_cast<std::int8_t*>(a.m_pStore) = static_cast<std::int8_t>(v); break;
    case 2: *static_cast<std::int16_t*>(a.m_pStore) = static_cast<std::int16_t>(v); break;
    default: *static_cast<std::int32_t*>(a.m_pStore) = v; break;
  }
}

// What an assignment to a status or system value changes besides the value itself.
void AfterAssign(const cCodeOperand& a, cCharaBase* chara, cSceneGame* scene) {
  if (a.m_nOpKind == kKindCharaField && a.m_pObject != nullptr) {
    cCharaBase& o = *a.m_pObject;
    switch (a.m_nCharaField) {
      case kFieldHp:
        if (&o != chara && o.m_nHp <= 0 && scene != nullptr) scene->m_bKilled = 1;
        break;
      case kFieldMhp: ClampValue(&o.m_nHp, 1, o.m_Def.m_nMaxHp); break;
      case kFieldMsp: ClampValue(&o.m_nSp, 1, o.m_Def.m_nMaxSp); break;
      case kFieldSight:
        if (o.m_nKind == 0) {
          o.m_nSightRange = HblToDot(o.m_Def.m_nSightRange);
          if (scene != nullptr) scene->CreateSpotlight(kDarkRow, kHoleRow);
        }
        break;
      default: break;
    }
  } else if (a.m_nOpKind == kKindSysField && scene != nullptr) {
    if (a.m_nSysField == kSysScrollX) {
      scene->m_ScrollX.SetSpeed(g_StageData.m_nScrollModeX == 1 ? 1 : 0, g_StageData.m_nAutoScrollX);
    } else if (a.m_nSysField == kSysScrollY) {
      scene->m_ScrollY.SetSpeed(g_StageData.m_nScrollModeY == 1 ? 1 : 0, g_StageData.m_nAutoScrollY);
    }
  }
}

int Fail() {
  g_bCodeError = 1;
  return 0;
}

// Index of the ')' that closes the '(' at `open`, or npos.
std::size_t FindClosing(const std::string& s, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < s.size(); ++i) {
    if (s[i] == '(') ++depth;
    if (s[i] == ')' && --depth == 0) return i;
  }
  return std::string::npos;
}

// Resolves the object of a token; false when a target slot is empty (an error without a
// message). `*out` is null for "sys".
bool ResolveObject(int n, cCharaBase* chara, cCharaBase** out) {
  *out = nullptr;
  switch (n) {
    case kObjMy: *out = chara; return true;
    case kObjTg: case kObjTg1: case kObjTg2: case kObjTg3: case kObjTg4: {
      const std::size_t slot = n == kObjTg ? 0 : static_cast<std::size_t>(n - kObjTg1);
      if (chara == nullptr || slot >= chara->m_vTarget.size() || chara->m_vTarget[slot] == nullptr) return false;
      *out = chara->m_vTarget[slot];
      return true;
    }
    case kObjPl:
      *out = g_vPlayer.empty() ? nullptr : &g_vPlayer.front();
      return true;
    default: return true;
  }
}

int EvalParens(const std::string& text, cCharaBase* chara, int depth);

}  // namespace

int ExecCode(const std::string& text, cCharaBase* chara) {
  g_bCodeError = 0;
  const std::int32_t oldHp = chara != nullptr ? chara->m_nHp : 0;
  const std::int32_t oldSp = chara != nullptr ? chara->m_nSp : 0;
  EvalCodeParens(text, chara);
  if (g_bCodeError != 0) return 0;
  if (chara != nullptr) {
    if (chara->m_nHp != oldHp) chara->StartHpGauge(WrapSub(chara->m_nHp, oldHp));
    if (chara->m_nSp != oldSp) chara->StartSpGauge(WrapSub(chara->m_nSp, oldSp));
  }
  return 1;
}

int EvalCodeParens(const std::string& text, cCharaBase* chara) {
  if (text.size() > kMaxCodeLength) {
    ErrMesBoxf("コードが長すぎます！(%d文字)", static_cast<int>(text.size()));
    return Fail();
  }
  return EvalParens(text, chara, 0);
}

namespace {

int EvalParens(const std::string& text, cCharaBase* chara, int depth) {
  if (depth > kMaxGroupDepth) {
    ErrMesBoxf("括弧が深すぎます！");
    return Fail();
  }
  std::string s = text;
  std::size_t t = 0;
  std::size_t p = 0;
  while (p <= s.size()) {
    const char c = p < s.size() ? s[p] : '\0';
    if (c == ' ') {
      t = p + 1;
    } else if (c == '(') {
      const std::size_t close = FindClosing(s, p);
      if (close == std::string::npos) {
        ErrMesBoxf("\")\"が見つかりません！");
        return Fail();
      }
      if (p == t) {
        const int h = EvalParens(s.substr(p + 1, close - p - 1), chara, depth + 1);
        s = s.substr(0, t) + std::to_string(h) + s.substr(close + 1);
        p = t;
        continue;
      }
      const std::string name = s.substr(t, p - t);
      if (FindIn(g_CodeFuncs, name) >= 0) {
        std::vector<int> args;
        std::size_t argStart = p + 1;
        int nest = 0;
        std::size_t q = p + 1;
        for (; q < s.size(); ++q) {
          if (s[q] == '(') ++nest;
          if (s[q] == ')' && nest-- == 0) break;
          if (s[q] == ',' && nest == 0) {
            if (q > argStart) args.push_back(EvalParens(s.substr(argStart, q - argStart), chara, depth + 1));
            argStart = q + 1;
          }
        }
        if (q >= s.size()) {
          ErrMesBoxf("関数 %s で\")\"が見つかりません！", name.c_str());
          return Fail();
        }
        if (q > argStart) args.push_back(EvalParens(s.substr(argStart, q - argStart), chara, depth + 1));
        if (args.size() != 2) {
          ErrMesBoxf("関数 %s の引数が不正です！", name.c_str());
          return Fail();
        }
        const int value = GetRand(args[0], args[1]);
        s = s.substr(0, t) + std::to_string(value) + s.substr(q + 1);
        p = t;
        continue;
      }
    }
    ++p;
  }
  return EvalCodeStatement(s, chara);
}

}  // namespace

int EvalCodeStatement(const std::string& s, cCharaBase* chara) {
  cSceneGame* scene = GameScene();
  std::vector<cCodeOperand> ops;
  std::string token;
  int object = kObjMy;
  bool tokenSinceObject = false;

  for (std::size_t p = 0; p <= s.size(); ++p) {
    const char c = p < s.size() ? s[p] : ' ';
    if (c == '.') {
      const int found = FindIn(g_CodeObjects, token);
      if (found >= 0) {
        object = found;
        tokenSinceObject = false;
      } else if (!tokenSinceObject) {
        ErrMesBoxf("オブジェクト \"%s.\" が認識できません！", token.c_str());
        return Fail();
      }
      token.clear();
      continue;
    }
    if (c != ' ') {
      token.push_back(c);
      continue;
    }
    if (token.empty()) continue;
    tokenSinceObject = true;
    cCodeOperand op;
    const int opIndex = FindIn(g_CodeOperators, token);
    if (opIndex >= 0) {
      op.m_nOpKind = kKindOperator;
      op.m_nOperator = opIndex;
      op.m_pStore = nullptr;
    } else {
      cCharaBase* pObj = nullptr;
      if (!ResolveObject(object, chara, &pObj)) return Fail();
      const int field = FindIn(g_CodeCharaFields, token);
      if (token[0] == g_CodeVarPrefixes[0][0] || token[0] == g_CodeVarPrefixes[1][0]) {
        std::vector<std::int32_t>* vars = &g_Progress.m_Vars;
        if (token[0] == g_CodeVarPrefixes[1][0]) {
          if (scene == nullptr) return Fail();
          vars = &scene->m_vStageVar;
        }
        std::int32_t& v = CheckedAt(*vars, ReadInt(token, 1));
        op.m_nOpKind = kKindVariable;
        SetStore(op, &v, 4, v, -kValueLimit, kValueLimit);
      } else if (field >= 0) {
        // A character field names a character: "sys" (or a missing running character)
        // has none, which stops the evaluation like an empty target slot.
        if (pObj == nullptr) return Fail();
        MakeCharaField(op, *pObj, field);
      } else if (const int sysField = FindIn(g_CodeSysFields, token); sysField >= 0) {
        if (sysField == kSysTime && scene == nullptr) return Fail();
        MakeSysField(op, scene, sysField);
      } else {
        op.m_nOpValue = ReadInt(token);
      }
    }
    ops.push_back(op);
    object = kObjMy;
    token.clear();
  }

  bool applied = false;
  std::int32_t result = 0;
  const bool legacy = g_SystemData.m_bRuleCode752 != 0;
  for (int level = 0; level <= 2; ++level) {
    for (;;) {
      std::size_t i = 0;
      while (i < ops.size() && !(ops[i].m_nOpKind == kKindOperator &&
                                 g_CodeOpPrecedence[static_cast<std::size_t>(ops[i].m_nOperator)] == level)) {
        ++i;
      }
      if (i == ops.size()) break;
      // An operator at either end lacks an operand: the statement stops with the error set.
      if (i == 0 || i + 1 >= ops.size()) return Fail();
      const cCodeOperand& a = ops[i - 1];
      const cCodeOperand& b = ops[i + 1];
      std::int32_t r = 0;
      switch (ops[i].m_nOperator) {
        case kOpAssign: {
          if (a.m_pStore == nullptr) {
            ErrMesBoxf("代入先が不正です！");
            return Fail();
          }
          r = b.m_nOpValue;
          ClampValue(&r, a.m_nMin, a.m_nMax);
          WriteStore(a, r);
          AfterAssign(a, chara, scene);
          break;
        }
        case kOpAdd: r = WrapAdd(a.m_nOpValue, b.m_nOpValue); break;
        case kOpSub: r = WrapSub(a.m_nOpValue, b.m_nOpValue); break;
        case kOpMul: r = WrapMul(a.m_nOpValue, b.m_nOpValue); break;
        case kOpDiv:
        case kOpMod:
          if (b.m_nOpValue == 0) {
            ErrMesBoxf("0除算が行われました！(%s)", s.c_str());
            return Fail();
          }
          r = ops[i].m_nOperator == kOpDiv ? WrapDiv(a.m_nOpValue, b.m_nOpValue) : WrapMod(a.m_nOpValue, b.m_nOpValue);
          break;
        default:
          DebugMesBox("演算子のエラー（未定義？）");
          return Fail();
      }
      cCodeOperand lit;
      lit.m_nOpValue = r;
      const auto first = ops.begin() + static_cast<std::ptrdiff_t>(i - 1);
      ops.erase(first, first + (legacy ? 2 : 3));
      ops.insert(ops.begin() + static_cast<std::ptrdiff_t>(i - 1), lit);
      result = r;
      applied = true;
    }
  }
  if (applied) return result;
  return ops.empty() ? 0 : ops.back().m_nOpValue;
}
