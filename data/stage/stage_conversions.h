#pragma once
// The conversions of stages read from files of older versions, applied after the whole
// body has been read. None applies to a file of the current version.

class cStageData;

// Applies, in order, every conversion whose threshold lies above nFileVersion (compared
// as unsigned numbers).
void ConvertOldStage(cStageData& stage, int nFileVersion);
