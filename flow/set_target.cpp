#include "flow/set_target.h"

#include <algorithm>

#include "objects/chara_base.h"

void SetTarget(cCharaBase& subject, std::int32_t nSlot, cCharaBase* pObject, std::int32_t bReplace) {
  if (nSlot < 0 || nSlot >= kTargetSlots) return;
  if (bReplace == 0 && pObject == nullptr) return;
  if (subject.m_vTarget.size() < static_cast<std::size_t>(kTargetSlots)) subject.m_vTarget.resize(kTargetSlots, nullptr);
  cCharaBase*& slot = subject.m_vTarget[static_cast<std::size_t>(nSlot)];
  const cObjLink link{&subject, nSlot};
  if (slot != nullptr) {
    std::vector<cObjLink>& links = slot->m_vLinkedBy;
    links.erase(std::remove_if(links.begin(), links.end(), [&link](const cObjLink& l) { return IsSameLink(l, link); }),
                links.end());
    slot = nullptr;
    if (pObject == nullptr) return;
  }
  slot = pObject;
  if (pObject == nullptr) return;
  for (const cObjLink& existing : pObject->m_vLinkedBy) {
    if (IsSameLink(existing, link)) return;
  }
  pObject->m_vLinkedBy.push_back(link);
}
