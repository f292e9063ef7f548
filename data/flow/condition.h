#pragma once
// Conditions and condition lists: one test of game state (cCond), the
// counted lists of conditions read by ReadCondVector, and the condition block of a flow
// command (cCondList, held by cFlowCmd::m_pCond). Evaluating a condition belongs to the
// flow runtime; the meaning of each member is what that evaluation reads.
#include <cstdint>
#include <vector>

#include <boost/checked_delete.hpp>
#include <boost/shared_ptr.hpp>

#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"

// One condition. No texts, no additions; Write is the base Write. Every member is 0 in a
// new condition. File layout at 811: int32 17, 28 bytes of members in the order below,
// int32 0.
class cCond : public cDataRecord {
 public:
  cCond();
  cCond(const cCond&) = default;
  cCond& operator=(const cCond&) = default;
  ~cCond() override = default;

  // Base reset: every member 0 (the class has no other defaults).
  void Reset();

  // Base Read at the file's version, then the conversions of files below 811.
  void Read(cDataReader& in) override;
  void Write(cDataWriter& out) override;

  // Members in file order; "from" is the first version that stores the member.
  std::int8_t m_nKind = 0;            // from 0: a COND value (0 none .. 7 COND_DISTANCE)
  std::int32_t m_nValue = 0;          // from 0: constant; COND_DISTANCE: distance in hbl
  std::int32_t m_nRandMin = 0;        // from 110: lower bound of a random right operand
  std::int32_t m_nRandMax = 0;        // from 110: upper bound of a random right operand
  std::int8_t m_nSubject = 0;         // from 110: a CONDSUBJ value
  std::int8_t m_nSelect = 0;          // from 110: status/state; COND_DISTANCE: display colour 0..7
  std::int8_t m_nLeftSrc = 0;         // from 110: COND_STATUS 0 status, 1 variable; DISTANCE display 0/1/2
  std::int8_t m_nLeftVarKind = 0;     // from 110: 0 common, 1 stage variable
  std::int16_t m_nVarIndex = 0;       // from 110: index of the tested variable
  std::int8_t m_nRightSrc = 0;        // from 110: 0 value, 1 random, 2 status, 3 variable; DISTANCE: draw while inactive
  std::int8_t m_nRightSubject = 0;    // from 110: CONDSUBJ of a status operand; DISTANCE: draw while not drawn
  std::int8_t m_nRightSelect = 0;     // from 110: status of a status right operand
  std::int8_t m_nRightVarKind = 0;    // from 110: 0 common, 1 stage variable
  std::int16_t m_nRightVarIndex = 0;  // from 110: right variable; DISTANCE: dots added to the distance
  std::int8_t m_nCmp = 0;             // from 0: a CMP value; STATUS3 0 is / 1 is not; DISTANCE 0 within / 1 outside
  std::int8_t m_bPercentOfMax = 0;    // from 43: COND_STATUS right operand is a percentage of the maximum
  std::int8_t m_nShape = 0;           // from 0: COND_DISTANCE shape 0..6

 protected:
  // Below 110 the places of m_nSubject and m_nSelect hold two int16 values that are
  // read into g_Scratch and dropped; gates compare the version unsigned.
  void RegisterMembers(int version) override;
};

// Reads a counted list of conditions (the LoadVector procedure; the
// default element is a new condition, all 0).
void ReadCondVector(std::vector<cCond>& list, cDataReader& in);
// Writes the count, then each condition's Write.
void WriteCondVector(std::vector<cCond>& list, cDataWriter& out);

// The condition block of a flow command: whether the command tests its list, how the
// conditions combine, and the conditions. No texts.
class cCondList : public cDataRecord {
 public:
  cCondList();
  cCondList(const cCondList&) = default;
  cCondList& operator=(const cCondList&) = default;  // both members and the list
  ~cCondList() override = default;

  // Base reset (both members 0); the list is emptied.
  void Reset();

  // Base Read; files of version 766 and later then hold the conditions (ReadCondVector).
  // Files below 766 leave m_vCond as it was (empty in a new block).
  void Read(cDataReader& in) override;
  // Base Write, then the count of m_vCond and each condition's Write.
  void Write(cDataWriter& out) override;

  using cDataRecord::CopyFrom;
  // Step 2 of the command assignment for one holder: an empty source empties
  // the holder; otherwise the holder gets a new block of its own equal to the source's.
  static void CopyFrom(boost::shared_ptr<cCondList>& holder, const boost::shared_ptr<cCondList>& source);

  std::int8_t m_bEnabled = 0;  // 1: the command tests the list before it acts
  std::int8_t m_nMode = 0;     // 0 every condition, 1 one is enough, other never holds
  std::vector<cCond> m_vCond;  // addition, files of version 766 and later

 protected:
  void RegisterMembers(int version) override;
};

using cCondListHolder = boost::shared_ptr<cCondList>;

// Puts a new condition block (both members 0, no conditions) into the holder; the
// holder deletes it through boost::checked_deleter.
void CreateCondList(cCondListHolder& holder);
