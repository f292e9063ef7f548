#pragma once
// A flow: an event script of a character. A trigger starts it when its conditions and
// its optional key sequence hold; it then runs its commands in order.
#include <cstdint>
#include <string>
#include <vector>

#include "data/flow/condition.h"
#include "data/flow/flow_command.h"
#include "data/flow/key_condition.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"

// Flow letters of m_nID ("A" to "Z") and m_nSwitch ("a" to "z"); 0 is none.
constexpr int kFlowLetterCount = 26;
// Key-sequence tolerance of a new flow, in frames.
constexpr int kDefaultKeyWindow = 3;

// File layout at 811: int32 10, ten single bytes in the order below, int32 1, the memo;
// then the counted lists of conditions, key conditions and commands.
class cFlow : public cDataRecord {
 public:
  cFlow();
  cFlow(const cFlow&) = default;
  cFlow(cFlow&&) noexcept = default;
  cFlow& operator=(const cFlow&) = default;
  cFlow& operator=(cFlow&&) noexcept = default;
  ~cFlow() override = default;

  // Base reset (every scalar 0, memo ""), the lists emptied, then m_nKeyWindow 3.
  void Reset();

  // Reads the body, converts the data of older files, empties the memo and normalises.
  void Read(cDataReader& in) override;
  // Normalises, then writes the body.
  void Write(cDataWriter& out) override;

  // Normalize and Normalize2 of every command.
  void Normalize();
  void Normalize2();

  std::int8_t m_nID = 0;             // from 0: flow ID letter, 0 none, 1 to 26 "A" to "Z"
  std::int8_t m_nSwitch = 0;         // from 0: exclusive switch of a FLOWTRIG_ALWAYS flow, 0 none, 1 to 26
  std::int8_t m_bTestOnly = 0;       // from 0: removed on reading outside a test play
  std::int8_t m_nCondMode = 0;       // from 0: 0 every condition, 1 one is enough, other never
  std::int8_t m_bCondLatch = 0;      // from 0: conditions that held once keep holding for the run
  std::int8_t m_nTrigger = 0;        // from 0: a FLOWTRIG value
  std::int8_t m_bTriggerTarget = 0;  // from 762: the other party goes into target slot m_nTriggerSlot
  std::int8_t m_nTriggerSlot = 0;    // from 767: target slot 0 to 3
  std::int8_t m_nKeyWindow = kDefaultKeyWindow;  // from 0: frames allowed between key conditions
  std::int8_t m_bKeyRepeat = 0;      // from 0: 1 start on every frame the sequence holds
  std::string m_sMemo;               // from 676: emptied after reading

  std::vector<cCond> m_vCond;
  std::vector<cKeyCond> m_vKeyCond;
  std::vector<cFlowCmd> m_vCmd;

 protected:
  void RegisterMembers(int version) override;
};

// Counted lists of flows: every element read starts as a new flow.
void ReadFlowVector(std::vector<cFlow>& list, cDataReader& in);
void WriteFlowVector(std::vector<cFlow>& list, cDataWriter& out);
// Makes `target` equal to `source`, element by element.
void AssignFlowList(std::vector<cFlow>& target, const std::vector<cFlow>& source);
