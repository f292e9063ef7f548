#pragma once
// The part that blocks and items keep after their registered members: int16 cell X,
// int16 cell Y, int32 n and n inherit flags, then the counted condition list. (Items
// follow it with their command list; characters keep their carried item between the cell
// and the flags, and read their own.)
#include <utility>
#include <vector>

#include "data/flow/condition.h"
#include "data/record/data_lists.h"
#include "data/record/data_reader.h"
#include "data/record/data_writer.h"

template <typename T>
void ReadCellInheritConds(T& entry, cDataReader& in) {
  entry.m_nCellX = in.ReadInt16();
  entry.m_nCellY = in.ReadInt16();
  ReadByteVector(entry.m_vInherit, in);
  std::vector<cCond> conds;
  ReadCondVector(conds, in);
  entry.m_vCond = std::move(conds);
}

template <typename T>
void WriteCellInheritConds(T& entry, cDataWriter& out) {
  out.WriteInt16(entry.m_nCellX);
  out.WriteInt16(entry.m_nCellY);
  WriteByteVector(entry.m_vInherit, out);
  entry.m_vCond.WriteWith([&out](std::vector<cCond>& conds) { WriteCondVector(conds, out); });
}
