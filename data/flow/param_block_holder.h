#pragma once
// Creation and copy of the parameter blocks a flow command holds (movement, shot,
// condition). A command owns its blocks alone: a copied command gets copies of the
// blocks, never a share of the source's, so changing one command never changes another.
// The holder deletes its block through boost::checked_deleter, which refuses to compile
// for a block type that is only declared.
#include <utility>

#include <boost/checked_delete.hpp>
#include <boost/shared_ptr.hpp>

// Puts a new block, a copy of `prototype`, into the holder.
template <typename Block>
void CreateParamBlock(boost::shared_ptr<Block>& holder, const Block& prototype) {
  holder.reset(new Block(prototype), boost::checked_deleter<Block>());
}

// Makes the holder hold a copy of the source's block, or nothing when the source holds
// none. The copy is made before the holder lets go of its block, so a holder copied from
// itself still gets a block of its own.
template <typename Block>
void CopyParamBlock(boost::shared_ptr<Block>& holder, const boost::shared_ptr<Block>& source) {
  if (!source) {
    holder.reset();
    return;
  }
  boost::shared_ptr<Block> fresh;
  CreateParamBlock(fresh, *source);
  holder = std::move(fresh);
}
