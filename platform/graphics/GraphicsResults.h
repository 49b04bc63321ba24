#pragma once
// Results of the graphics interfaces, in the HRESULT style of the rest of the
// platform layer: 0 is success, negative is a failure. Every failure code the
// renderer names or looks up has its own constant here; the values are ours
// and none equals 0x80000000, which the renderer reports as unknown.
#include "platform/system/System.h"

namespace Platform {

constexpr HRESULT DD_OK = 0;
constexpr HRESULT D3D_OK = 0;
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);

constexpr HRESULT MakeDirectDrawError(uint32_t code)
{
    return static_cast<HRESULT>(0x88760000u | code);
}

constexpr HRESULT DDERR_ALREADYINITIALIZED = MakeDirectDrawError(1);
constexpr HRESULT DDERR_BLTFASTCANTCLIP = MakeDirectDrawError(2);
constexpr HRESULT DDERR_CANNOTATTACHSURFACE = MakeDirectDrawError(3);
constexpr HRESULT DDERR_CANNOTDETACHSURFACE = MakeDirectDrawError(4);
constexpr HRESULT DDERR_CANTCREATEDC = MakeDirectDrawError(5);
constexpr HRESULT DDERR_CANTDUPLICATE = MakeDirectDrawError(6);
constexpr HRESULT DDERR_CANTLOCKSURFACE = MakeDirectDrawError(7);
constexpr HRESULT DDERR_CANTPAGELOCK = MakeDirectDrawError(8);
constexpr HRESULT DDERR_CANTPAGEUNLOCK = MakeDirectDrawError(9);
constexpr HRESULT DDERR_CLIPPERISUSINGHWND = MakeDirectDrawError(10);
constexpr HRESULT DDERR_COLORKEYNOTSET = MakeDirectDrawError(11);
constexpr HRESULT DDERR_CURRENTLYNOTAVAIL = MakeDirectDrawError(12);
constexpr HRESULT DDERR_DDSCAPSCOMPLEXREQUIRED = MakeDirectDrawError(13);
constexpr HRESULT DDERR_DCALREADYCREATED = MakeDirectDrawError(14);
constexpr HRESULT DDERR_DEVICEDOESNTOWNSURFACE = MakeDirectDrawError(15);
constexpr HRESULT DDERR_DIRECTDRAWALREADYCREATED = MakeDirectDrawError(16);
constexpr HRESULT DDERR_EXCEPTION = MakeDirectDrawError(17);
constexpr HRESULT DDERR_EXCLUSIVEMODEALREADYSET = MakeDirectDrawError(18);
constexpr HRESULT DDERR_EXPIRED = MakeDirectDrawError(19);
constexpr HRESULT DDERR_GENERIC = MakeDirectDrawError(20);
constexpr HRESULT DDERR_HEIGHTALIGN = MakeDirectDrawError(21);
constexpr HRESULT DDERR_HWNDALREADYSET = MakeDirectDrawError(22);
constexpr HRESULT DDERR_HWNDSUBCLASSED = MakeDirectDrawError(23);
constexpr HRESULT DDERR_IMPLICITLYCREATED = MakeDirectDrawError(24);
constexpr HRESULT DDERR_INCOMPATIBLEPRIMARY = MakeDirectDrawError(25);
constexpr HRESULT DDERR_INVALIDCAPS = MakeDirectDrawError(26);
constexpr HRESULT DDERR_INVALIDCLIPLIST = MakeDirectDrawError(27);
constexpr HRESULT DDERR_INVALIDDIRECTDRAWGUID = MakeDirectDrawError(28);
constexpr HRESULT DDERR_INVALIDMODE = MakeDirectDrawError(29);
constexpr HRESULT DDERR_INVALIDOBJECT = MakeDirectDrawError(30);
constexpr HRESULT DDERR_INVALIDPARAMS = MakeDirectDrawError(31);
constexpr HRESULT DDERR_INVALIDPIXELFORMAT = MakeDirectDrawError(32);
constexpr HRESULT DDERR_INVALIDPOSITION = MakeDirectDrawError(33);
constexpr HRESULT DDERR_INVALIDRECT = MakeDirectDrawError(34);
constexpr HRESULT DDERR_INVALIDSTREAM = MakeDirectDrawError(35);
constexpr HRESULT DDERR_INVALIDSURFACETYPE = MakeDirectDrawError(36);
constexpr HRESULT DDERR_LOCKEDSURFACES = MakeDirectDrawError(37);
constexpr HRESULT DDERR_MOREDATA = MakeDirectDrawError(38);
constexpr HRESULT DDERR_NEWMODE = MakeDirectDrawError(39);
constexpr HRESULT DDERR_NO3D = MakeDirectDrawError(40);
constexpr HRESULT DDERR_NOALPHAHW = MakeDirectDrawError(41);
constexpr HRESULT DDERR_NOBLTHW = MakeDirectDrawError(42);
constexpr HRESULT DDERR_NOCLIPLIST = MakeDirectDrawError(43);
constexpr HRESULT DDERR_NOCLIPPERATTACHED = MakeDirectDrawError(44);
constexpr HRESULT DDERR_NOCOLORCONVHW = MakeDirectDrawError(45);
constexpr HRESULT DDERR_NOCOLORKEY = MakeDirectDrawError(46);
constexpr HRESULT DDERR_NOCOLORKEYHW = MakeDirectDrawError(47);
constexpr HRESULT DDERR_NOCOOPERATIVELEVELSET = MakeDirectDrawError(48);
constexpr HRESULT DDERR_NODC = MakeDirectDrawError(49);
constexpr HRESULT DDERR_NODDROPSHW = MakeDirectDrawError(50);
constexpr HRESULT DDERR_NODIRECTDRAWHW = MakeDirectDrawError(51);
constexpr HRESULT DDERR_NODIRECTDRAWSUPPORT = MakeDirectDrawError(52);
constexpr HRESULT DDERR_NODRIVERSUPPORT = MakeDirectDrawError(53);
constexpr HRESULT DDERR_NOEMULATION = MakeDirectDrawError(54);
constexpr HRESULT DDERR_NOEXCLUSIVEMODE = MakeDirectDrawError(55);
constexpr HRESULT DDERR_NOFLIPHW = MakeDirectDrawError(56);
constexpr HRESULT DDERR_NOFOCUSWINDOW = MakeDirectDrawError(57);
constexpr HRESULT DDERR_NOGDI = MakeDirectDrawError(58);
constexpr HRESULT DDERR_NOHWND = MakeDirectDrawError(59);
constexpr HRESULT DDERR_NOMIPMAPHW = MakeDirectDrawError(60);
constexpr HRESULT DDERR_NOMIRRORHW = MakeDirectDrawError(61);
constexpr HRESULT DDERR_NOMONITORINFORMATION = MakeDirectDrawError(62);
constexpr HRESULT DDERR_NONONLOCALVIDMEM = MakeDirectDrawError(63);
constexpr HRESULT DDERR_NOOPTIMIZEHW = MakeDirectDrawError(64);
constexpr HRESULT DDERR_NOOVERLAYDEST = MakeDirectDrawError(65);
constexpr HRESULT DDERR_NOOVERLAYHW = MakeDirectDrawError(66);
constexpr HRESULT DDERR_NOPALETTEATTACHED = MakeDirectDrawError(67);
constexpr HRESULT DDERR_NOPALETTEHW = MakeDirectDrawError(68);
constexpr HRESULT DDERR_NORASTEROPHW = MakeDirectDrawError(69);
constexpr HRESULT DDERR_NOROTATIONHW = MakeDirectDrawError(70);
constexpr HRESULT DDERR_NOSTEREOHARDWARE = MakeDirectDrawError(71);
constexpr HRESULT DDERR_NOSTRETCHHW = MakeDirectDrawError(72);
constexpr HRESULT DDERR_NOSURFACELEFT = MakeDirectDrawError(73);
constexpr HRESULT DDERR_NOT4BITCOLOR = MakeDirectDrawError(74);
constexpr HRESULT DDERR_NOT4BITCOLORINDEX = MakeDirectDrawError(75);
constexpr HRESULT DDERR_NOT8BITCOLOR = MakeDirectDrawError(76);
constexpr HRESULT DDERR_NOTAOVERLAYSURFACE = MakeDirectDrawError(77);
constexpr HRESULT DDERR_NOTEXTUREHW = MakeDirectDrawError(78);
constexpr HRESULT DDERR_NOTFLIPPABLE = MakeDirectDrawError(79);
constexpr HRESULT DDERR_NOTFOUND = MakeDirectDrawError(80);
constexpr HRESULT DDERR_NOTINITIALIZED = MakeDirectDrawError(81);
constexpr HRESULT DDERR_NOTLOADED = MakeDirectDrawError(82);
constexpr HRESULT DDERR_NOTLOCKED = MakeDirectDrawError(83);
constexpr HRESULT DDERR_NOTPAGELOCKED = MakeDirectDrawError(84);
constexpr HRESULT DDERR_NOTPALETTIZED = MakeDirectDrawError(85);
constexpr HRESULT DDERR_NOVSYNCHW = MakeDirectDrawError(86);
constexpr HRESULT DDERR_NOZBUFFERHW = MakeDirectDrawError(87);
constexpr HRESULT DDERR_NOZOVERLAYHW = MakeDirectDrawError(88);
constexpr HRESULT DDERR_OUTOFMEMORY = MakeDirectDrawError(89);
constexpr HRESULT DDERR_OUTOFVIDEOMEMORY = MakeDirectDrawError(90);
constexpr HRESULT DDERR_OVERLAPPINGRECTS = MakeDirectDrawError(91);
constexpr HRESULT DDERR_OVERLAYCANTCLIP = MakeDirectDrawError(92);
constexpr HRESULT DDERR_OVERLAYCOLORKEYONLYONEACTIVE = MakeDirectDrawError(93);
constexpr HRESULT DDERR_OVERLAYNOTVISIBLE = MakeDirectDrawError(94);
constexpr HRESULT DDERR_PALETTEBUSY = MakeDirectDrawError(95);
constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = MakeDirectDrawError(96);
constexpr HRESULT DDERR_REGIONTOOSMALL = MakeDirectDrawError(97);
constexpr HRESULT DDERR_SURFACEALREADYATTACHED = MakeDirectDrawError(98);
constexpr HRESULT DDERR_SURFACEALREADYDEPENDENT = MakeDirectDrawError(99);
constexpr HRESULT DDERR_SURFACEBUSY = MakeDirectDrawError(100);
constexpr HRESULT DDERR_SURFACEISOBSCURED = MakeDirectDrawError(101);
constexpr HRESULT DDERR_SURFACELOST = MakeDirectDrawError(102);
constexpr HRESULT DDERR_SURFACENOTATTACHED = MakeDirectDrawError(103);
constexpr HRESULT DDERR_TESTFINISHED = MakeDirectDrawError(104);
constexpr HRESULT DDERR_TOOBIGHEIGHT = MakeDirectDrawError(105);
constexpr HRESULT DDERR_TOOBIGSIZE = MakeDirectDrawError(106);
constexpr HRESULT DDERR_TOOBIGWIDTH = MakeDirectDrawError(107);
constexpr HRESULT DDERR_UNSUPPORTED = MakeDirectDrawError(108);
constexpr HRESULT DDERR_UNSUPPORTEDFORMAT = MakeDirectDrawError(109);
constexpr HRESULT DDERR_UNSUPPORTEDMASK = MakeDirectDrawError(110);
constexpr HRESULT DDERR_UNSUPPORTEDMODE = MakeDirectDrawError(111);
constexpr HRESULT DDERR_VERTICALBLANKINPROGRESS = MakeDirectDrawError(112);
constexpr HRESULT DDERR_VIDEONOTACTIVE = MakeDirectDrawError(113);
constexpr HRESULT DDERR_WASSTILLDRAWING = MakeDirectDrawError(114);
constexpr HRESULT DDERR_WRONGMODE = MakeDirectDrawError(115);
constexpr HRESULT DDERR_XALIGN = MakeDirectDrawError(116);

} // namespace Platform
