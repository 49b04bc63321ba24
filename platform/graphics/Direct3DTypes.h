#pragma once
// Records, state names and state values of the Direct3D device. Matrices
// are row-major for row vectors (a point p becomes p x M); colours handed
// as one u32 are D3DCOLOR: alpha, red, green, blue from high to low byte.
#include <cstdint>

#include "platform/graphics/DirectDrawTypes.h"

namespace Platform {

using D3DCOLOR = uint32_t;

struct Matrix {
    float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    bool operator==(const Matrix&) const = default;
};

struct ColorValue {
    float r = 0, g = 0, b = 0, a = 0;
    bool operator==(const ColorValue&) const = default;
};

struct Vector {
    float x = 0, y = 0, z = 0;
    bool operator==(const Vector&) const = default;
};

struct Material {
    ColorValue diffuse, ambient, specular, emissive;
    float power = 0;
    bool operator==(const Material&) const = default;
};

enum LightType : uint32_t { D3DLIGHT_POINT = 1, D3DLIGHT_SPOT = 2, D3DLIGHT_DIRECTIONAL = 3 };

// A light in world space; type 0 is "no type" (a record left empty).
struct Light {
    uint32_t type = 0;
    ColorValue diffuse, specular, ambient;
    Vector position, direction;
    float range = 0, falloff = 0;
    float attenuation0 = 0, attenuation1 = 0, attenuation2 = 0;
    float theta = 0, phi = 0;
    bool operator==(const Light&) const = default;
};

struct Viewport {
    uint32_t x = 0, y = 0, width = 0, height = 0;
    float minZ = 0, maxZ = 1;
    bool operator==(const Viewport&) const = default;
};

// Device capabilities (D3DDEVICEDESC7): only what the renderer reads.
constexpr uint32_t D3DDEVCAPS_HWRASTERIZATION = 0x80000;
constexpr uint32_t D3DPRASTERCAPS_ZBUFFERLESSHSR = 0x8000;
constexpr uint32_t D3DPTEXTURECAPS_POW2 = 0x2;
constexpr uint32_t D3DPTEXTURECAPS_SQUAREONLY = 0x20;
// Render bit depths (deviceRenderBitDepth, zBufferBitDepths).
constexpr uint32_t DDBD_16 = 0x400;
constexpr uint32_t DDBD_24 = 0x200;
constexpr uint32_t DDBD_32 = 0x100;

struct DeviceDesc {
    Guid deviceGUID;
    uint32_t devCaps = 0;
    uint32_t triRasterCaps = 0;     // D3DPRASTERCAPS_*
    uint32_t textureCaps = 0;       // D3DPTEXTURECAPS_*
    uint32_t deviceRenderBitDepth = 0;
    uint32_t deviceZBufferBitDepth = 0;
    uint32_t minTextureWidth = 0, minTextureHeight = 0;
    uint32_t maxTextureWidth = 0, maxTextureHeight = 0;
    uint32_t maxAnisotropy = 0;
    uint16_t maxTextureBlendStages = 0;
    uint16_t maxSimultaneousTextures = 0;
    uint32_t maxActiveLights = 0;
};

// Clear flags.
constexpr uint32_t D3DCLEAR_TARGET = 0x1;
constexpr uint32_t D3DCLEAR_ZBUFFER = 0x2;
constexpr uint32_t D3DCLEAR_STENCIL = 0x4;

// Vertex formats: position, normal, optional colour, one texture pair.
constexpr uint32_t D3DFVF_XYZ = 0x2;
constexpr uint32_t D3DFVF_NORMAL = 0x10;
constexpr uint32_t D3DFVF_DIFFUSE = 0x40;
constexpr uint32_t D3DFVF_TEX1 = 0x100;

enum PrimitiveType : uint32_t { D3DPT_TRIANGLELIST = 4, D3DPT_TRIANGLESTRIP = 5 };

enum TransformStateType : uint32_t {
    D3DTRANSFORMSTATE_WORLD = 1,
    D3DTRANSFORMSTATE_VIEW = 2,
    D3DTRANSFORMSTATE_PROJECTION = 3,
    D3DTRANSFORMSTATE_TEXTURE0 = 16,  // stage n is TEXTURE0 + n, up to 8 stages
};

enum RenderStateType : uint32_t {
    D3DRENDERSTATE_ZENABLE = 7,
    D3DRENDERSTATE_ZWRITEENABLE = 14,
    D3DRENDERSTATE_SRCBLEND = 19,
    D3DRENDERSTATE_DESTBLEND = 20,
    D3DRENDERSTATE_CULLMODE = 22,
    D3DRENDERSTATE_ZFUNC = 23,
    D3DRENDERSTATE_ALPHABLENDENABLE = 27,
    D3DRENDERSTATE_STENCILENABLE = 52,
    D3DRENDERSTATE_STENCILFAIL = 53,
    D3DRENDERSTATE_STENCILZFAIL = 54,
    D3DRENDERSTATE_STENCILPASS = 55,
    D3DRENDERSTATE_STENCILFUNC = 56,
    D3DRENDERSTATE_STENCILREF = 57,
    D3DRENDERSTATE_STENCILMASK = 58,
    D3DRENDERSTATE_LIGHTING = 137,
    D3DRENDERSTATE_AMBIENT = 139,
    D3DRENDERSTATE_COLORVERTEX = 141,
    D3DRENDERSTATE_NORMALIZENORMALS = 143,
    D3DRENDERSTATE_DIFFUSEMATERIALSOURCE = 145,
    D3DRENDERSTATE_AMBIENTMATERIALSOURCE = 147,
};

enum Blend : uint32_t {
    D3DBLEND_ZERO = 1,
    D3DBLEND_ONE = 2,
    D3DBLEND_SRCCOLOR = 3,
    D3DBLEND_INVSRCCOLOR = 4,
    D3DBLEND_SRCALPHA = 5,
    D3DBLEND_INVSRCALPHA = 6,
    D3DBLEND_DESTALPHA = 7,
    D3DBLEND_INVDESTALPHA = 8,
    D3DBLEND_DESTCOLOR = 9,
    D3DBLEND_INVDESTCOLOR = 10,
    D3DBLEND_SRCALPHASAT = 11,
};

enum Cull : uint32_t { D3DCULL_NONE = 1, D3DCULL_CW = 2, D3DCULL_CCW = 3 };

enum CmpFunc : uint32_t {
    D3DCMP_NEVER = 1, D3DCMP_LESS = 2, D3DCMP_EQUAL = 3, D3DCMP_LESSEQUAL = 4,
    D3DCMP_GREATER = 5, D3DCMP_NOTEQUAL = 6, D3DCMP_GREATEREQUAL = 7, D3DCMP_ALWAYS = 8,
};

enum StencilOp : uint32_t {
    D3DSTENCILOP_KEEP = 1, D3DSTENCILOP_ZERO = 2, D3DSTENCILOP_REPLACE = 3,
    D3DSTENCILOP_INCRSAT = 4, D3DSTENCILOP_DECRSAT = 5, D3DSTENCILOP_INVERT = 6,
    D3DSTENCILOP_INCR = 7, D3DSTENCILOP_DECR = 8,
};

enum MaterialColorSource : uint32_t { D3DMCS_MATERIAL = 0, D3DMCS_COLOR1 = 1, D3DMCS_COLOR2 = 2 };

enum TextureStageStateType : uint32_t {
    D3DTSS_COLOROP = 1,
    D3DTSS_COLORARG1 = 2,
    D3DTSS_COLORARG2 = 3,
    D3DTSS_ALPHAOP = 4,
    D3DTSS_ALPHAARG1 = 5,
    D3DTSS_ALPHAARG2 = 6,
    D3DTSS_TEXCOORDINDEX = 11,
    D3DTSS_ADDRESSU = 13,
    D3DTSS_ADDRESSV = 14,
    D3DTSS_MAGFILTER = 16,
    D3DTSS_MINFILTER = 17,
    D3DTSS_MIPFILTER = 18,
    D3DTSS_MAXANISOTROPY = 21,
    D3DTSS_TEXTURETRANSFORMFLAGS = 24,
};

enum TextureOp : uint32_t {
    D3DTOP_DISABLE = 1,
    D3DTOP_SELECTARG1 = 2,
    D3DTOP_SELECTARG2 = 3,
    D3DTOP_MODULATE = 4,
    D3DTOP_ADD = 7,
};

// Texture arguments.
constexpr uint32_t D3DTA_DIFFUSE = 0;
constexpr uint32_t D3DTA_CURRENT = 1;
constexpr uint32_t D3DTA_TEXTURE = 2;

enum TextureAddress : uint32_t { D3DTADDRESS_WRAP = 1, D3DTADDRESS_CLAMP = 3 };
enum TextureMagFilter : uint32_t { D3DTFG_POINT = 1, D3DTFG_LINEAR = 2, D3DTFG_ANISOTROPIC = 5 };
enum TextureMinFilter : uint32_t { D3DTFN_POINT = 1, D3DTFN_LINEAR = 2, D3DTFN_ANISOTROPIC = 3 };
enum TextureMipFilter : uint32_t { D3DTFP_NONE = 1, D3DTFP_POINT = 2, D3DTFP_LINEAR = 3 };
enum TextureTransformFlags : uint32_t { D3DTTFF_DISABLE = 0, D3DTTFF_COUNT2 = 2 };

} // namespace Platform
