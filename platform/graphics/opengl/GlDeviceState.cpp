#include "platform/graphics/opengl/GlDevice.h"

#include <algorithm>

#include "platform/graphics/opengl/GlSurfaces.h"

// How the Direct3D states kept by the device become GL state before a draw.

namespace Platform {

namespace {

GLenum BlendOf(uint32_t b, bool destination)
{
    switch (b) {
    case D3DBLEND_ZERO: return GL_ZERO;
    case D3DBLEND_ONE: return GL_ONE;
    case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    // GL 2.1 takes the saturated factor only for the source.
    case D3DBLEND_SRCALPHASAT: return destination ? GL_ONE : GL_SRC_ALPHA_SATURATE;
    default: return GL_ZERO;
    }
}

GLenum CompareOf(uint32_t c)
{
    switch (c) {
    case D3DCMP_NEVER: return GL_NEVER;
    case D3DCMP_LESS: return GL_LESS;
    case D3DCMP_EQUAL: return GL_EQUAL;
    case D3DCMP_LESSEQUAL: return GL_LEQUAL;
    case D3DCMP_GREATER: return GL_GREATER;
    case D3DCMP_NOTEQUAL: return GL_NOTEQUAL;
    case D3DCMP_GREATEREQUAL: return GL_GEQUAL;
    default: return GL_ALWAYS;
    }
}

GLenum StencilOpOf(uint32_t op)
{
    switch (op) {
    case D3DSTENCILOP_ZERO: return GL_ZERO;
    case D3DSTENCILOP_REPLACE: return GL_REPLACE;
    case D3DSTENCILOP_INCRSAT: return GL_INCR;
    case D3DSTENCILOP_DECRSAT: return GL_DECR;
    case D3DSTENCILOP_INVERT: return GL_INVERT;
    case D3DSTENCILOP_INCR: return GL_INCR_WRAP;  // the Direct3D increment wraps
    case D3DSTENCILOP_DECR: return GL_DECR_WRAP;
    default: return GL_KEEP;
    }
}

GLenum ArgumentOf(uint32_t a)
{
    switch (a & 0xF) {
    case D3DTA_DIFFUSE: return GL_PRIMARY_COLOR;
    case D3DTA_TEXTURE: return GL_TEXTURE;
    default: return GL_PREVIOUS;
    }
}

// One combiner (colour or alpha) of a stage. DISABLE passes the previous
// stage's value on.
void Combine(uint32_t op, uint32_t arg1, uint32_t arg2, bool alpha)
{
    const GLenum combine = alpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB;
    const GLenum source0 = alpha ? GL_SOURCE0_ALPHA : GL_SOURCE0_RGB;
    const GLenum source1 = alpha ? GL_SOURCE1_ALPHA : GL_SOURCE1_RGB;
    const GLenum operand = alpha ? GL_SRC_ALPHA : GL_SRC_COLOR;
    glTexEnvi(GL_TEXTURE_ENV, alpha ? GL_OPERAND0_ALPHA : GL_OPERAND0_RGB, operand);
    glTexEnvi(GL_TEXTURE_ENV, alpha ? GL_OPERAND1_ALPHA : GL_OPERAND1_RGB, operand);
    switch (op) {
    case D3DTOP_SELECTARG1:
        glTexEnvi(GL_TEXTURE_ENV, combine, GL_REPLACE);
        glTexEnvi(GL_TEXTURE_ENV, source0, static_cast<GLint>(ArgumentOf(arg1)));
        break;
    case D3DTOP_SELECTARG2:
        glTexEnvi(GL_TEXTURE_ENV, combine, GL_REPLACE);
        glTexEnvi(GL_TEXTURE_ENV, source0, static_cast<GLint>(ArgumentOf(arg2)));
        break;
    case D3DTOP_MODULATE:
    case D3DTOP_ADD:
        glTexEnvi(GL_TEXTURE_ENV, combine, op == D3DTOP_ADD ? GL_ADD : GL_MODULATE);
        glTexEnvi(GL_TEXTURE_ENV, source0, static_cast<GLint>(ArgumentOf(arg1)));
        glTexEnvi(GL_TEXTURE_ENV, source1, static_cast<GLint>(ArgumentOf(arg2)));
        break;
    default:
        glTexEnvi(GL_TEXTURE_ENV, combine, GL_REPLACE);
        glTexEnvi(GL_TEXTURE_ENV, source0, GL_PREVIOUS);
        break;
    }
}

void ToFloats(const ColorValue& c, GLfloat out[4])
{
    out[0] = c.r;
    out[1] = c.g;
    out[2] = c.b;
    out[3] = c.a;
}

} // namespace

void GlDevice::ApplyLighting(const GlDrawState& ds, bool vertexColors)
{
    const auto& rs = ds.renderState;
    if (rs[D3DRENDERSTATE_LIGHTING] == 0) {
        glDisable(GL_LIGHTING);
        glDisable(GL_COLOR_MATERIAL);
        return;
    }
    glEnable(GL_LIGHTING);
    const D3DCOLOR a = rs[D3DRENDERSTATE_AMBIENT];
    const GLfloat ambient[4] = {((a >> 16) & 0xFF) / 255.0f, ((a >> 8) & 0xFF) / 255.0f,
                                (a & 0xFF) / 255.0f, (a >> 24) / 255.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    // The colour material overwrites the material for good: send the
    // material again before each draw.
    glDisable(GL_COLOR_MATERIAL);
    GLfloat c[4];
    ToFloats(ds.material.ambient, c);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, c);
    ToFloats(ds.material.diffuse, c);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, c);
    ToFloats(ds.material.emissive, c);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, c);
    // Specular highlights are off on the Direct3D device by default.
    const GLfloat none[4] = {0, 0, 0, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(ds.material.power, 0.0f, 128.0f));
    if (vertexColors && rs[D3DRENDERSTATE_COLORVERTEX] != 0) {
        const bool diffuse = rs[D3DRENDERSTATE_DIFFUSEMATERIALSOURCE] == D3DMCS_COLOR1;
        const bool amb = rs[D3DRENDERSTATE_AMBIENTMATERIALSOURCE] == D3DMCS_COLOR1;
        if (diffuse || amb) {
            glColorMaterial(GL_FRONT_AND_BACK, diffuse && amb ? GL_AMBIENT_AND_DIFFUSE
                                               : diffuse      ? GL_DIFFUSE
                                                              : GL_AMBIENT);
            glEnable(GL_COLOR_MATERIAL);
        }
    }
    // Lights are in world space: placed while the model-view is the view.
    GLenum slot = GL_LIGHT0;
    for (const auto& [index, entry] : ds.lights) {
        const Light& l = entry.first;
        if (!entry.second || slot > GL_LIGHT7) {
            continue;
        }
        glEnable(slot);
        GLfloat v[4];
        ToFloats(l.ambient, v);
        glLightfv(slot, GL_AMBIENT, v);
        ToFloats(l.diffuse, v);
        glLightfv(slot, GL_DIFFUSE, v);
        glLightfv(slot, GL_SPECULAR, none);
        if (l.type == D3DLIGHT_DIRECTIONAL) {
            // Direct3D gives the direction of travel, GL the way to the light.
            const GLfloat p[4] = {-l.direction.x, -l.direction.y, -l.direction.z, 0};
            glLightfv(slot, GL_POSITION, p);
            glLightf(slot, GL_SPOT_CUTOFF, 180);
        } else {
            const GLfloat p[4] = {l.position.x, l.position.y, l.position.z, 1};
            glLightfv(slot, GL_POSITION, p);
            glLightf(slot, GL_CONSTANT_ATTENUATION, l.attenuation0);
            glLightf(slot, GL_LINEAR_ATTENUATION, l.attenuation1);
            glLightf(slot, GL_QUADRATIC_ATTENUATION, l.attenuation2);
            if (l.type == D3DLIGHT_SPOT) {
                const GLfloat dir[3] = {l.direction.x, l.direction.y, l.direction.z};
                glLightfv(slot, GL_SPOT_DIRECTION, dir);
                glLightf(slot, GL_SPOT_CUTOFF, std::clamp(l.phi * 0.5f * 57.29578f, 0.0f, 90.0f));
                glLightf(slot, GL_SPOT_EXPONENT, std::clamp(l.falloff, 0.0f, 128.0f));
            } else {
                glLightf(slot, GL_SPOT_CUTOFF, 180);
            }
        }
        ++slot;
    }
    for (; slot <= GL_LIGHT7; ++slot) {
        glDisable(slot);
    }
}

void GlDevice::ApplySampler(const GlDrawState& ds, uint32_t stage)
{
    const auto& st = ds.stageState[stage];
    const GlFunctions& gl = shared_->gl;
    const bool pointMin = st[D3DTSS_MINFILTER] == D3DTFN_POINT;
    GLenum minFilter = pointMin ? GL_NEAREST : GL_LINEAR;
    if (st[D3DTSS_MIPFILTER] == D3DTFP_POINT) {
        minFilter = pointMin ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR_MIPMAP_NEAREST;
    } else if (st[D3DTSS_MIPFILTER] == D3DTFP_LINEAR) {
        minFilter = pointMin ? GL_NEAREST_MIPMAP_LINEAR : GL_LINEAR_MIPMAP_LINEAR;
    }
    const GLenum magFilter = st[D3DTSS_MAGFILTER] == D3DTFG_POINT ? GL_NEAREST : GL_LINEAR;
    const GLenum wrapS = st[D3DTSS_ADDRESSU] == D3DTADDRESS_CLAMP ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    const GLenum wrapT = st[D3DTSS_ADDRESSV] == D3DTADDRESS_CLAMP ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    // GL applies anisotropy whatever the filter: only with an anisotropic one.
    const bool anisotropic = st[D3DTSS_MINFILTER] == D3DTFN_ANISOTROPIC ||
                             st[D3DTSS_MAGFILTER] == D3DTFG_ANISOTROPIC;
    const float anisotropy =
        anisotropic ? std::clamp(static_cast<float>(st[D3DTSS_MAXANISOTROPY]), 1.0f, gl.maxAnisotropy)
                    : 1.0f;
    if (sampler_[stage] != 0) {
        const GLuint s = sampler_[stage];
        gl.BindSampler(stage, s);
        gl.SamplerParameteri(s, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(minFilter));
        gl.SamplerParameteri(s, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(magFilter));
        gl.SamplerParameteri(s, GL_TEXTURE_WRAP_S, static_cast<GLint>(wrapS));
        gl.SamplerParameteri(s, GL_TEXTURE_WRAP_T, static_cast<GLint>(wrapT));
        if (gl.maxAnisotropy > 1) {
            gl.SamplerParameterf(s, GL_TEXTURE_MAX_ANISOTROPY_EXT, anisotropy);
        }
        return;
    }
    // Without sampler objects the stage's values go to the bound texture.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(minFilter));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(magFilter));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLint>(wrapS));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLint>(wrapT));
    if (gl.maxAnisotropy > 1) {
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, anisotropy);
    }
}

void GlDevice::ApplyStages(const GlDrawState& ds)
{
    const GlFunctions& gl = shared_->gl;
    bool disabled = false;
    for (uint32_t stage = 0; stage < kStages; ++stage) {
        const auto& st = ds.stageState[stage];
        gl.ActiveTexture(GL_TEXTURE0 + stage);
        disabled = disabled || st[D3DTSS_COLOROP] == D3DTOP_DISABLE;
        auto* texture = static_cast<GlTextureSurface*>(ds.texture[stage]);
        // A stage without a texture passes the colour on, as a white texture would.
        if (disabled || texture == nullptr) {
            glDisable(GL_TEXTURE_2D);
            if (sampler_[stage] != 0) {
                gl.BindSampler(stage, 0);
            }
            continue;
        }
        glEnable(GL_TEXTURE_2D);
        texture->Bind();
        ApplySampler(ds, stage);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
        Combine(st[D3DTSS_COLOROP], st[D3DTSS_COLORARG1], st[D3DTSS_COLORARG2], false);
        Combine(st[D3DTSS_ALPHAOP], st[D3DTSS_ALPHAARG1], st[D3DTSS_ALPHAARG2], true);
        // Direct3D feeds (u, v, 1) to a two-element texture transform, so
        // its offset sits in the third row; GL feeds (s, t, 0, 1), so the
        // offset goes into the fourth column.
        GLfloat t[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        if (st[D3DTSS_TEXTURETRANSFORMFLAGS] != D3DTTFF_DISABLE) {
            const auto& m = ds.textureMatrix[stage].m;
            t[0] = m[0][0];
            t[1] = m[0][1];
            t[4] = m[1][0];
            t[5] = m[1][1];
            t[12] = m[2][0];
            t[13] = m[2][1];
        }
        glMatrixMode(GL_TEXTURE);
        glLoadMatrixf(t);
    }
    glMatrixMode(GL_MODELVIEW);
    gl.ActiveTexture(GL_TEXTURE0);
}

bool GlDevice::FragmentsOpaque(const GlDrawState& ds, bool vertexAlphaOne)
{
    // Lit, the primary colour's alpha is the material's or the vertex's.
    const bool primaryOne = vertexAlphaOne && ds.renderState[D3DRENDERSTATE_LIGHTING] == 0;
    // The stages GL runs, as ApplyStages enables them, each alpha combiner
    // as Combine sets it up.
    bool current = primaryOne;
    for (uint32_t stage = 0; stage < kStages; ++stage) {
        const auto& st = ds.stageState[stage];
        if (st[D3DTSS_COLOROP] == D3DTOP_DISABLE) {
            break;
        }
        const auto* texture = static_cast<const GlTextureSurface*>(ds.texture[stage]);
        if (texture == nullptr) {
            continue;
        }
        auto argument = [&](uint32_t a) {
            switch (ArgumentOf(a)) {
            case GL_PRIMARY_COLOR: return primaryOne;
            case GL_TEXTURE: return texture->Opaque();
            default: return current;
            }
        };
        switch (st[D3DTSS_ALPHAOP]) {
        case D3DTOP_SELECTARG1: current = argument(st[D3DTSS_ALPHAARG1]); break;
        case D3DTOP_SELECTARG2: current = argument(st[D3DTSS_ALPHAARG2]); break;
        case D3DTOP_MODULATE: current = argument(st[D3DTSS_ALPHAARG1]) && argument(st[D3DTSS_ALPHAARG2]); break;
        // The sum is clamped: 1 when either is 1.
        case D3DTOP_ADD: current = argument(st[D3DTSS_ALPHAARG1]) || argument(st[D3DTSS_ALPHAARG2]); break;
        default: break;  // passes the previous value on
        }
    }
    return current;
}

void GlDevice::ApplyState(const GlDrawState& ds, bool vertexColors, bool vertexAlphaOne)
{
    GlShared& s = *shared_;
    const auto& rs = ds.renderState;
    s.gl.BindFramebuffer(GL_FRAMEBUFFER, s.framebuffer);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glViewport(static_cast<GLint>(ds.viewport.x),
               static_cast<GLint>(s.targetHeight - ds.viewport.y - ds.viewport.height),
               static_cast<GLsizei>(ds.viewport.width), static_cast<GLsizei>(ds.viewport.height));
    glDepthRange(ds.viewport.minZ, ds.viewport.maxZ);

    // Direct3D clips depth to 0..w, GL to -w..w: z' = 2z - w.
    Matrix p = ds.projection;
    for (auto& row : p.m) {
        row[2] = 2 * row[2] - row[3];
    }
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(&p.m[0][0]);
    // A row-vector matrix stored by rows is the GL column-vector matrix.
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(&ds.view.m[0][0]);
    ApplyLighting(ds, vertexColors);
    glMultMatrixf(&ds.world.m[0][0]);
    if (rs[D3DRENDERSTATE_NORMALIZENORMALS] != 0) {
        glEnable(GL_NORMALIZE);
    } else {
        glDisable(GL_NORMALIZE);
    }

    if (depthBits_ != 0 && rs[D3DRENDERSTATE_ZENABLE] != 0) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(CompareOf(rs[D3DRENDERSTATE_ZFUNC]));
    } else {
        glDisable(GL_DEPTH_TEST);
    }
    glDepthMask(rs[D3DRENDERSTATE_ZWRITEENABLE] != 0 ? GL_TRUE : GL_FALSE);

    if (stencilBits_ != 0 && rs[D3DRENDERSTATE_STENCILENABLE] != 0) {
        glEnable(GL_STENCIL_TEST);
        glStencilFunc(CompareOf(rs[D3DRENDERSTATE_STENCILFUNC]),
                      static_cast<GLint>(rs[D3DRENDERSTATE_STENCILREF]), rs[D3DRENDERSTATE_STENCILMASK]);
        glStencilOp(StencilOpOf(rs[D3DRENDERSTATE_STENCILFAIL]),
                    StencilOpOf(rs[D3DRENDERSTATE_STENCILZFAIL]),
                    StencilOpOf(rs[D3DRENDERSTATE_STENCILPASS]));
        glStencilMask(0xFFFFFFFFu);
    } else {
        glDisable(GL_STENCIL_TEST);
    }

    // Both put clip y = +1 at the top, so on-screen winding is the same:
    // D3DCULL_CW removes the triangles that look clockwise.
    switch (rs[D3DRENDERSTATE_CULLMODE]) {
    case D3DCULL_CW:
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CCW);
        glCullFace(GL_BACK);
        break;
    case D3DCULL_CCW:
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CCW);
        glCullFace(GL_FRONT);
        break;
    default:
        glDisable(GL_CULL_FACE);
        break;
    }

    // Source alpha 1 makes the usual "over" blend write the source as it
    // is: the software rasterizer then skips reading the target, which
    // for the opaque layers of a scene is a good share of its work.
    const bool overOpaque = rs[D3DRENDERSTATE_SRCBLEND] == D3DBLEND_SRCALPHA &&
                            rs[D3DRENDERSTATE_DESTBLEND] == D3DBLEND_INVSRCALPHA &&
                            FragmentsOpaque(ds, vertexAlphaOne);
    if (rs[D3DRENDERSTATE_ALPHABLENDENABLE] != 0 && !overOpaque) {
        glEnable(GL_BLEND);
        glBlendFunc(BlendOf(rs[D3DRENDERSTATE_SRCBLEND], false),
                    BlendOf(rs[D3DRENDERSTATE_DESTBLEND], true));
    } else {
        glDisable(GL_BLEND);
    }
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_FOG);
    ApplyStages(ds);
}

} // namespace Platform
