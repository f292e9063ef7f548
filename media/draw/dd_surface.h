#pragma once
// Surface records of the drawing layer, the fixed surface table and the functions that
// make, load, mirror, reload and release surfaces.
#include <list>
#include <vector>

#include "media/draw/dd_device.h"
#include "platform/win_types.h"

// Memory of a Direct3D texture: 0 render target (blank) or managed (loaded), 1 dynamic in
// system memory, 2 is not supported and treated as 0.
enum DTMEMORYTYPE { DTMEMORYTYPE_VIDEO_RT = 0, DTMEMORYTYPE_SYSTEM = 1, DTMEMORYTYPE_VIDEO_NORT = 2 };

struct D3DSURFACE_DESC {
  D3DFORMAT Format;
  int Width;
  int Height;
};

// Direct3D back-end record of a surface.
struct DTTEXTUREDATA {
  int nKey;                   // texture key, unique per surface with a texture of its own
  cPixelBuffer* lpSurface;    // level 0 of the texture; the device's back buffer for g_BackBuffer
  cSoftTexture* lpTexture;    // the texture (null while released, and for g_BackBuffer)
  D3DSURFACE_DESC desc;
  int nMemType;               // DTMEMORYTYPE in use
  int bColorKey;              // drawn with its colour key
  int bRenderTarget;
  BYTE* lpIndex;              // palette numbers of the picture, or null
};

// DirectDraw back-end record of a surface.
struct DDRAWDATA {
  cSoftDDSurface* lpDDS;
  BYTE* lpIndex;
};

// A surface. All zero is an empty surface. Plain data: copies share the back-end records.
struct DDSURFACEDATA {
  DTTEXTUREDATA* lpDT;
  DDRAWDATA* lpDDData;
  char szName[MAX_PATH];
  int nWidth, nHeight;
  int nTexWidth, nTexHeight;
  char szFile[MAX_PATH];      // "E" for a blank surface
  int nDDMemType;             // 0 video memory, 1 system memory
  int nMirrorW, nMirrorH;     // cell sizes of per-cell mirroring
  DDSURFACEDATA* lpAlias;     // the surface whose picture this one stands for
  int bLost;                  // re-made blank after a loss: the owner redraws it

  DDSURFACEDATA();
};

// Definition of a fixed (or added) surface.
struct DDSURFACEDEF {
  char szFile[MAX_PATH];      // "E": blank
  int bColorKey, nDDMemType, nDTMemType, bAlias, bIndexData, bQuiet, nMirrorW, nMirrorH, nBlankW, nBlankH;

  DDSURFACEDEF();
  void Set(const char* file, int colorKey, int ddMemType, int dtMemType, int alias, int indexData, int quiet,
           int mirrorW, int mirrorH, int blankW, int blankH);
};

constexpr int kFixedSurfaceCount = 71;
extern DDSURFACEDATA g_FixedSurface[kFixedSurfaceCount];
extern DDSURFACEDEF g_FixedSurfaceDef[kFixedSurfaceCount];
// The digit strips of the fonts.
constexpr int kExtraSurfaceCount = 3;
extern DDSURFACEDEF g_ExtraSurfaceDef[kExtraSurfaceCount];
void InitExtraSurfaceTable();

// Every Direct3D surface with a texture of its own, in creation order; the device restore
// walks it.
extern std::vector<DDSURFACEDATA*> g_SurfaceList;

bool DDCreateSurface(DDSURFACEDATA* lpSD, int nWidth, int nHeight, int bColorKey, int nDDMemType, int nDTMemType,
                     int bAlias, int bRestore);
int DDCreateSurfaceFromFile(DDSURFACEDATA* lpSD, const char* lpFile, int bColorKey, int nBpp, int nDDMemType,
                            int nDTMemType, int bAlias, int bIndexData, int nMirrorW, int nMirrorH, int bRestore);
bool CopyBitmap(DDSURFACEDATA* lpSD, const char* lpFile, int nBpp, int bIndexData, int nMirrorW, int nMirrorH);
bool CreateMirror(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, int nMirrorW, int nMirrorH);
bool DDReloadSurface(DDSURFACEDATA* lpSD, int nBpp);
bool DDLoadSurfaces(DDSURFACEDATA* lpSurfaces, const int* lpIndices, int nCount);
void DDSetSurfaceAliases();
void DDUseAlias(DDSURFACEDATA** lplpSD);
bool DDAddSurface(std::vector<DDSURFACEDATA>* lpVec, std::vector<DDSURFACEDEF>* lpDefVec, int nWidth, int nHeight,
                  int bColorKey, int nDDMemType, int nDTMemType, int bAlias);
bool DDAddSurfaceToList(std::list<DDSURFACEDATA>* lpList, std::list<DDSURFACEDEF>* lpDefList, int nWidth,
                        int nHeight, int bColorKey, int nDDMemType, int nDTMemType, int bAlias);
bool DDInsertSurfaceToList(std::list<DDSURFACEDATA>* lpList, std::list<DDSURFACEDEF>* lpDefList, int nIndex,
                           int nWidth, int nHeight, int bColorKey, int nDDMemType, int nDTMemType, int bAlias);
int DDRemoveSurfaceFromList(std::list<DDSURFACEDATA>* lpList, std::list<DDSURFACEDEF>* lpDefList,
                            DDSURFACEDATA* lpSD);
bool DDCheckSurfaceResult(int nCode);
int DDIsBitmapLarger(int* lpResult, const char* lpFile, int nWidth, int nHeight);
void DDReleaseSurface(DDSURFACEDATA* lpSD);
void DDDeleteSurface(DDSURFACEDATA* lpSD);
void DDReleaseSurfaceVector(std::vector<DDSURFACEDATA>* lpVec);
void DDReleaseSurfaceList(std::list<DDSURFACEDATA>* lpList);
void DDAllocSurfaceData(DDSURFACEDATA* lpSD);
void DDAdjustTextureSize(int* lpWidth, int* lpHeight);
int DDCheckTextureSize(int nWidth, int nHeight);

// The pixel memory a surface draws into or is read from (its alias's for an alias); null
// for an empty surface.
cPixelBuffer* DDSurfacePixels(DDSURFACEDATA* lpSD);
// The palette-index data of a surface, or null.
BYTE* DDSurfaceIndex(const DDSURFACEDATA* lpSD);
