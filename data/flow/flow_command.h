#pragma once
// One command of a flow (a character command, FLOWCMD numbering) or of an item entry
// (an item command, ITEMCMD numbering): its kind, running time, sound and animation,
// text, parameters, and up to three parameter blocks of its own.
#include <cstdint>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "data/flow/condition.h"
#include "data/flow/movement_block.h"
#include "data/flow/shot_block.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"

class cFlow;

// No member is version-gated. File layout: int32 8, 1 + 1 + 2 + 2 + 1 + 2 + 1 + 2 bytes,
// int32 1, the text; then, in this order: a flag and a movement block when the flag is
// not 0; the same for the shot block; from version 764 on the same for the condition
// block; the counted list of flows m_vFlow; the counted list of int32 parameters.
//
// A command owns its blocks: copying a command gives the copy blocks of its own.
class cFlowCmd : public cDataRecord {
 public:
  cFlowCmd();
  cFlowCmd(const cFlowCmd& source);
  // Moving hands the blocks over; copying makes blocks of the copy's own.
  cFlowCmd(cFlowCmd&& source) noexcept;
  cFlowCmd& operator=(const cFlowCmd& source);
  cFlowCmd& operator=(cFlowCmd&& source) noexcept;
  ~cFlowCmd() override;

  // Base reset (every scalar 0, text ""), the holders and lists emptied, then
  // m_bSoundCond 1.
  void Reset();

  // Reads the body, then converts the data of older files, removes test flows from
  // m_vFlow (unless they are kept) and normalises.
  void Read(cDataReader& in) override;
  // Normalises, then writes the body.
  void Write(cDataWriter& out) override;

  // Database references and the parameter count; then every flow of m_vFlow.
  void Normalize();
  // Palette references; then every flow of m_vFlow.
  void Normalize2();

  std::int8_t m_bItemCmd = 0;    // 0: m_nKind is a FLOWCMD value; otherwise an ITEMCMD value
  std::int8_t m_nKind = 0;       // command kind
  std::int16_t m_nTime = 0;      // running time in tenths of a second (6 frames each)
  std::int16_t m_nTimeStep = 0;  // running time added per copy index of the character
  std::int8_t m_bNoWait = 0;     // the next command starts in the same frame
  std::int16_t m_nSound = 0;     // Sound database index played by the command; 0 none
  std::int8_t m_bSoundCond = 1;  // the sound plays only while the character counts as on screen
  std::int16_t m_nAnime = 0;     // Anime database index played with the command; 0 none
  std::string m_sText;           // message text, program text or stage path

  cEdMoveHolder m_pMove;         // movement block, or empty
  cEdShotHolder m_pShot;         // shot block, or empty
  cCondListHolder m_pCond;       // condition block, or empty
  std::vector<cFlow> m_vFlow;    // flows given by ITEMCMD_CHANGE_FLOW
  std::vector<std::int32_t> m_vParam;  // exactly the parameter count of the kind

 protected:
  void RegisterMembers(int version) override;

 private:
  void CopyMembersFrom(const cFlowCmd& source);
};

// Counted lists of commands: every element read starts as a new command.
void ReadFlowCmdVector(std::vector<cFlowCmd>& list, cDataReader& in);
void WriteFlowCmdVector(std::vector<cFlowCmd>& list, cDataWriter& out);
// Makes `target` equal to `source`, element by element; blocks are copied.
void AssignFlowCmdList(std::vector<cFlowCmd>& target, const std::vector<cFlowCmd>& source);
