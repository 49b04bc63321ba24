#include "platform/graphics/opengl/GlDevice.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/opengl/GlSurfaces.h"

namespace Platform {

namespace {

constexpr uint32_t kVertexPlain = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
constexpr uint32_t kVertexColored = kVertexPlain | D3DFVF_DIFFUSE;

} // namespace

DeviceDesc GlDevice::Description()
{
    DeviceDesc d;
    d.deviceGUID = IID_IDirect3DTnLHalDevice;
    d.devCaps = D3DDEVCAPS_HWRASTERIZATION;
    d.deviceRenderBitDepth = DDBD_16 | DDBD_32;
    d.deviceZBufferBitDepth = DDBD_16 | DDBD_24 | DDBD_32;
    d.minTextureWidth = d.minTextureHeight = 1;
    // Every OpenGL 2.1 driver this runs on offers these; Create checks.
    d.maxTextureWidth = d.maxTextureHeight = 2048;
    d.maxAnisotropy = 16;
    d.maxTextureBlendStages = kStages;
    d.maxSimultaneousTextures = kStages;
    d.maxActiveLights = 8;
    return d;
}

GlDevice::GlDevice(std::shared_ptr<GlShared> shared, Unknown* owner, MemorySurface* target)
    : shared_(std::move(shared)), owner_(owner), target_(target)
{
    owner_->AddRef();
    target_->AddRef();
    // The device's initial states.
    state_.renderState[D3DRENDERSTATE_ZENABLE] = 0;
    state_.renderState[D3DRENDERSTATE_ZWRITEENABLE] = 1;
    state_.renderState[D3DRENDERSTATE_SRCBLEND] = D3DBLEND_ONE;
    state_.renderState[D3DRENDERSTATE_DESTBLEND] = D3DBLEND_ZERO;
    state_.renderState[D3DRENDERSTATE_CULLMODE] = D3DCULL_CCW;
    state_.renderState[D3DRENDERSTATE_ZFUNC] = D3DCMP_LESSEQUAL;
    state_.renderState[D3DRENDERSTATE_STENCILFUNC] = D3DCMP_ALWAYS;
    state_.renderState[D3DRENDERSTATE_STENCILMASK] = 0xFFFFFFFFu;
    state_.renderState[D3DRENDERSTATE_STENCILFAIL] = D3DSTENCILOP_KEEP;
    state_.renderState[D3DRENDERSTATE_STENCILZFAIL] = D3DSTENCILOP_KEEP;
    state_.renderState[D3DRENDERSTATE_STENCILPASS] = D3DSTENCILOP_KEEP;
    state_.renderState[D3DRENDERSTATE_LIGHTING] = 1;
    state_.renderState[D3DRENDERSTATE_COLORVERTEX] = 1;
    state_.renderState[D3DRENDERSTATE_DIFFUSEMATERIALSOURCE] = D3DMCS_COLOR1;
    state_.renderState[D3DRENDERSTATE_AMBIENTMATERIALSOURCE] = D3DMCS_MATERIAL;
    for (uint32_t s = 0; s < kStages; ++s) {
        auto& st = state_.stageState[s];
        st[D3DTSS_COLOROP] = s == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        st[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
        st[D3DTSS_COLORARG2] = D3DTA_CURRENT;
        st[D3DTSS_ALPHAOP] = s == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        st[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        st[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        st[D3DTSS_TEXCOORDINDEX] = s;
        st[D3DTSS_ADDRESSU] = st[D3DTSS_ADDRESSV] = D3DTADDRESS_WRAP;
        st[D3DTSS_MAGFILTER] = D3DTFG_POINT;
        st[D3DTSS_MINFILTER] = D3DTFN_POINT;
        st[D3DTSS_MIPFILTER] = D3DTFP_NONE;
        st[D3DTSS_MAXANISOTROPY] = 1;
        st[D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_DISABLE;
    }
    const SurfaceDesc& d = target_->Desc();
    state_.viewport = Viewport{0, 0, d.width, d.height, 0, 1};
    shared_->flushDrawing = [this] { Flush(); };
}

HRESULT GlDevice::Create(std::shared_ptr<GlShared> shared, Unknown* owner,
                         DirectDrawSurface* target, Direct3DDevice** device)
{
    *device = nullptr;
    auto* surface = dynamic_cast<GlRenderTarget*>(target);
    if (surface == nullptr) {
        return DDERR_INVALIDSURFACETYPE;
    }
    if (shared->window == nullptr) {
        return DDERR_NOHWND;
    }
    if (shared->context != nullptr) {
        return DDERR_CURRENTLYNOTAVAIL;  // one device at a time
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GLContext context = SDL_GL_CreateContext(shared->window);
    if (context == nullptr) {
        return DDERR_NO3D;
    }
    GLint units = 0, size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    const DeviceDesc offered = Description();
    if (!shared->gl.Load() || units < static_cast<GLint>(kStages) ||
        size < static_cast<GLint>(offered.maxTextureWidth)) {
        SDL_GL_MakeCurrent(shared->window, nullptr);
        SDL_GL_DeleteContext(context);
        return DDERR_NO3D;
    }
    shared->ContextMade(context);

    auto* created = new GlDevice(shared, owner, surface);
    const HRESULT hr = created->BuildFramebuffer();
    if (hr < 0) {
        created->Release();
        return hr;
    }
    if (shared->gl.GenSamplers != nullptr) {
        shared->gl.GenSamplers(kStages, created->sampler_.data());
    }
    *device = created;
    return D3D_OK;
}

GlDevice::~GlDevice()
{
    GlShared& s = *shared_;
    s.flushDrawing = nullptr;
    recorded_.clear();
    shown_.clear();
    for (DirectDrawSurface*& t : state_.texture) {
        if (t != nullptr) {
            t->Release();
            t = nullptr;
        }
    }
    s.DeletePendingTextures();
    if (sampler_[0] != 0) {
        s.gl.DeleteSamplers(kStages, sampler_.data());
    }
    if (s.framebuffer != 0) {
        s.gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
        s.gl.DeleteFramebuffers(1, &s.framebuffer);
    }
    GLuint buffers[] = {colorBuffer_, depthBuffer_};
    s.gl.DeleteRenderbuffers(2, buffers);
    s.framebuffer = 0;
    s.target = nullptr;
    SDL_GL_MakeCurrent(s.window, nullptr);
    SDL_GL_DeleteContext(s.context);
    s.ContextGone();
    target_->Release();
    owner_->Release();
}

HRESULT GlDevice::BuildFramebuffer()
{
    GlShared& s = *shared_;
    const GlFunctions& gl = s.gl;
    const SurfaceDesc& d = target_->Desc();
    if (s.framebuffer == 0) {
        gl.GenFramebuffers(1, &s.framebuffer);
    }
    gl.BindFramebuffer(GL_FRAMEBUFFER, s.framebuffer);
    if (colorBuffer_ == 0) {
        gl.GenRenderbuffers(1, &colorBuffer_);
    }
    // No alpha channel: a Direct3D back buffer reads as opaque.
    gl.BindRenderbuffer(GL_RENDERBUFFER, colorBuffer_);
    gl.RenderbufferStorage(GL_RENDERBUFFER, GL_RGB8, static_cast<GLsizei>(d.width),
                           static_cast<GLsizei>(d.height));
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorBuffer_);
    s.TargetDrawn();  // new storage: contents undefined

    const MemorySurface* z = target_->FindAttached(DDSCAPS_ZBUFFER);
    depthBits_ = stencilBits_ = 0;
    depthClearedTo_ = -1;  // new storage: contents undefined
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, 0);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
    if (z != nullptr) {
        const PixelFormat& f = z->Desc().pixelFormat;
        stencilBits_ = f.stencilBitDepth;
        depthBits_ = f.zBufferBitDepth - f.stencilBitDepth;
        const GLenum format = stencilBits_ != 0 ? GL_DEPTH24_STENCIL8
                              : depthBits_ <= 16 ? GL_DEPTH_COMPONENT16
                                                 : GL_DEPTH_COMPONENT24;
        if (depthBuffer_ == 0) {
            gl.GenRenderbuffers(1, &depthBuffer_);
        }
        depthWidth_ = z->Desc().width;
        depthHeight_ = z->Desc().height;
        gl.BindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
        gl.RenderbufferStorage(GL_RENDERBUFFER, format, static_cast<GLsizei>(depthWidth_),
                               static_cast<GLsizei>(depthHeight_));
        gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer_);
        if (stencilBits_ != 0) {
            gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                       depthBuffer_);
        }
    }
    gl.BindRenderbuffer(GL_RENDERBUFFER, 0);
    if (gl.CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        return DDERR_INVALIDPIXELFORMAT;
    }
    s.target = target_;
    s.targetWidth = d.width;
    s.targetHeight = d.height;
    return D3D_OK;
}

bool GlDevice::Lost()
{
    if (shared_->InBackground()) {
        shared_->lost = true;
    }
    return shared_->lost;
}

HRESULT GlDevice::GetCaps(DeviceDesc& desc)
{
    desc = Description();
    return D3D_OK;
}

HRESULT GlDevice::EnumTextureFormats(const std::function<bool(const PixelFormat&)>& callback)
{
    for (const PixelFormat& f : {FormatA8R8G8B8(), FormatX8R8G8B8(), FormatR5G6B5(),
                                 FormatA1R5G5B5(), FormatA4R4G4B4()}) {
        if (!callback(f)) {
            break;
        }
    }
    return D3D_OK;
}

HRESULT GlDevice::BeginScene()
{
    if (!shared_->CanCallGl()) {
        return DDERR_GENERIC;
    }
    if (Lost()) {
        return DDERR_SURFACELOST;
    }
    if (inScene_) {
        return DDERR_GENERIC;
    }
    shared_->DeletePendingTextures();
    inScene_ = true;
    return D3D_OK;
}

HRESULT GlDevice::EndScene()
{
    if (!inScene_) {
        return DDERR_GENERIC;
    }
    inScene_ = false;
    return Lost() ? DDERR_SURFACELOST : D3D_OK;
}

HRESULT GlDevice::Clear(uint32_t rectCount, const Rect* rects, uint32_t flags, D3DCOLOR color,
                        float z, uint32_t stencil)
{
    if (!shared_->CanCallGl()) {
        return DDERR_GENERIC;
    }
    if (Lost()) {
        return DDERR_SURFACELOST;
    }
    if (((flags & D3DCLEAR_ZBUFFER) != 0 && depthBits_ == 0) ||
        ((flags & D3DCLEAR_STENCIL) != 0 && stencilBits_ == 0) || (rectCount != 0 && rects == nullptr)) {
        return DDERR_INVALIDPARAMS;
    }
    const int32_t targetHeight = static_cast<int32_t>(shared_->targetHeight);
    const Rect view{static_cast<int32_t>(state_.viewport.x), static_cast<int32_t>(state_.viewport.y),
                    static_cast<int32_t>(state_.viewport.x + state_.viewport.width),
                    static_cast<int32_t>(state_.viewport.y + state_.viewport.height)};
    const uint32_t count = rectCount == 0 ? 1 : rectCount;
    auto clipped = [&](uint32_t i) {
        const Rect r = rectCount == 0 ? view : rects[i];
        return Rect{std::max(r.left, view.left), std::max(r.top, view.top),
                    std::min(r.right, view.right), std::min(r.bottom, view.bottom)};
    };
    bool depthClear = (flags & D3DCLEAR_ZBUFFER) != 0;
    if (depthClear) {
        bool whole = false;
        for (uint32_t i = 0; i < count && !whole; ++i) {
            const Rect r = clipped(i);
            whole = r.left <= 0 && r.top <= 0 && r.right >= static_cast<int32_t>(depthWidth_) &&
                    r.bottom >= static_cast<int32_t>(depthHeight_);
        }
        const float value = std::clamp(z, 0.0f, 1.0f);
        if (whole && depthClearedTo_ == value) {
            depthClear = false;  // holds that value everywhere already
        } else if (whole) {
            depthClearedTo_ = value;
        } else if (depthClearedTo_ != value) {
            depthClearedTo_ = -1;  // part of it now holds another value
        }
    }
    GLbitfield mask = 0;
    if ((flags & D3DCLEAR_TARGET) != 0) {
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (depthClear) {
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if ((flags & D3DCLEAR_STENCIL) != 0) {
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    std::vector<Rect> kept;
    for (uint32_t i = 0; i < count; ++i) {
        const Rect r = clipped(i);
        if (RectEmpty(r)) {
            continue;
        }
        kept.push_back(r);
        if ((mask & GL_COLOR_BUFFER_BIT) != 0) {
            const bool whole = r.left <= 0 && r.top <= 0 &&
                               r.right >= static_cast<int32_t>(shared_->targetWidth) && r.bottom >= targetHeight;
            if (whole) {
                shared_->TargetCleared(color);
            } else {
                shared_->TargetDrawn();
            }
        }
    }
    if (!kept.empty()) {
        recorded_.push_back(GlRecordedOp::MakeClear(std::move(kept), flags, mask, color, z, stencil));
    }
    return D3D_OK;
}

HRESULT GlDevice::SetTransform(TransformStateType state, const Matrix& matrix)
{
    switch (state) {
    case D3DTRANSFORMSTATE_WORLD: state_.world = matrix; return D3D_OK;
    case D3DTRANSFORMSTATE_VIEW: state_.view = matrix; return D3D_OK;
    case D3DTRANSFORMSTATE_PROJECTION: state_.projection = matrix; return D3D_OK;
    default:
        if (state >= D3DTRANSFORMSTATE_TEXTURE0 && state < D3DTRANSFORMSTATE_TEXTURE0 + kStages) {
            state_.textureMatrix[state - D3DTRANSFORMSTATE_TEXTURE0] = matrix;
            return D3D_OK;
        }
        return DDERR_INVALIDPARAMS;
    }
}

HRESULT GlDevice::SetRenderState(RenderStateType state, uint32_t value)
{
    if (state >= state_.renderState.size()) {
        return DDERR_INVALIDPARAMS;
    }
    state_.renderState[state] = value;
    return D3D_OK;
}

HRESULT GlDevice::SetTextureStageState(uint32_t stage, TextureStageStateType state, uint32_t value)
{
    if (stage >= kStages || state >= state_.stageState[0].size()) {
        return DDERR_INVALIDPARAMS;
    }
    state_.stageState[stage][state] = value;
    return D3D_OK;
}

HRESULT GlDevice::SetTexture(uint32_t stage, DirectDrawSurface* texture)
{
    if (stage >= kStages) {
        return DDERR_INVALIDPARAMS;
    }
    if (texture != nullptr && dynamic_cast<GlTextureSurface*>(texture) == nullptr) {
        return DDERR_INVALIDSURFACETYPE;
    }
    if (texture != nullptr) {
        texture->AddRef();
    }
    if (state_.texture[stage] != nullptr) {
        state_.texture[stage]->Release();
    }
    state_.texture[stage] = texture;
    return D3D_OK;
}

HRESULT GlDevice::SetMaterial(const Material& material)
{
    state_.material = material;
    return D3D_OK;
}

HRESULT GlDevice::SetLight(uint32_t index, const Light& light)
{
    if (light.type < D3DLIGHT_POINT || light.type > D3DLIGHT_DIRECTIONAL) {
        return DDERR_INVALIDPARAMS;
    }
    state_.lights[index].first = light;
    return D3D_OK;
}

HRESULT GlDevice::LightEnable(uint32_t index, bool enable)
{
    auto it = state_.lights.find(index);
    if (it == state_.lights.end()) {
        if (!enable) {
            return D3D_OK;
        }
        // Enabling a light never set gives the default: a white directional
        // light shining along +z.
        Light l;
        l.type = D3DLIGHT_DIRECTIONAL;
        l.diffuse = {1, 1, 1, 0};
        l.direction = {0, 0, 1};
        it = state_.lights.emplace(index, std::make_pair(l, false)).first;
    }
    it->second.second = enable;
    return D3D_OK;
}

HRESULT GlDevice::SetViewport(const Viewport& v)
{
    const SurfaceDesc& d = target_->Desc();
    if (v.width == 0 || v.height == 0 || v.x + v.width > d.width || v.y + v.height > d.height ||
        v.minZ < 0 || v.maxZ > 1 || v.minZ > v.maxZ) {
        return DDERR_INVALIDPARAMS;
    }
    state_.viewport = v;
    return D3D_OK;
}

HRESULT GlDevice::SetRenderTarget(DirectDrawSurface* target, uint32_t)
{
    auto* surface = dynamic_cast<GlRenderTarget*>(target);
    if (surface == nullptr) {
        return DDERR_INVALIDSURFACETYPE;
    }
    if (!shared_->CanCallGl()) {
        return DDERR_GENERIC;
    }
    Flush();
    shown_.clear();
    shownValid_ = false;
    surface->AddRef();
    target_->Release();
    target_ = surface;
    return BuildFramebuffer();
}

HRESULT GlDevice::DrawIndexedPrimitive(PrimitiveType type, uint32_t vertexFormat,
                                       const void* vertices, uint32_t vertexCount,
                                       const uint16_t* indices, uint32_t indexCount, uint32_t)
{
    if (!shared_->CanCallGl()) {
        return DDERR_GENERIC;
    }
    if (Lost()) {
        return DDERR_SURFACELOST;
    }
    if ((vertexFormat != kVertexPlain && vertexFormat != kVertexColored) || vertices == nullptr ||
        indices == nullptr || (type != D3DPT_TRIANGLELIST && type != D3DPT_TRIANGLESTRIP)) {
        return DDERR_INVALIDPARAMS;
    }
    const bool colored = vertexFormat == kVertexColored;
    const auto* base = static_cast<const uint8_t*>(vertices);
    const GLsizei stride = colored ? 36 : 32;
    // GL would read past the vertices for an index beyond them. Meanwhile:
    // whether every vertex drawn has an alpha of 255 (the fourth byte of its
    // D3DCOLOR); vertices without colour are drawn with alpha 1.
    bool vertexAlphaOne = true;
    for (uint32_t i = 0; i < indexCount; ++i) {
        if (indices[i] >= vertexCount) {
            return DDERR_INVALIDPARAMS;
        }
        if (colored) {
            vertexAlphaOne = vertexAlphaOne && base[static_cast<size_t>(indices[i]) * stride + 27] == 0xFF;
        }
    }
    if (indexCount == 0) {
        return D3D_OK;
    }
    std::array<uint64_t, kStages> versions{};
    for (uint32_t stage = 0; stage < kStages; ++stage) {
        if (const auto* t = static_cast<const GlTextureSurface*>(state_.texture[stage])) {
            versions[stage] = t->ContentVersion();
        }
    }
    const Rect bounds = DrawBounds(state_, base, static_cast<uint32_t>(stride), indices, indexCount);
    if (depthBits_ != 0 && state_.renderState[D3DRENDERSTATE_ZENABLE] != 0 &&
        state_.renderState[D3DRENDERSTATE_ZWRITEENABLE] != 0) {
        depthClearedTo_ = -1;
    }
    shared_->TargetDrawn();
    recorded_.push_back(GlRecordedOp::MakeDraw(state_, versions, type, vertexFormat, base,
                                               static_cast<uint32_t>(stride), indices, indexCount,
                                               vertexAlphaOne, bounds));
    return D3D_OK;
}

Rect GlDevice::WholeTarget() const
{
    return Rect{0, 0, static_cast<int32_t>(shared_->targetWidth), static_cast<int32_t>(shared_->targetHeight)};
}

void GlDevice::Flush()
{
    if (recorded_.empty()) {
        return;
    }
    std::vector<GlRecordedOp> ops;
    ops.swap(recorded_);
    if (!shared_->CanCallGl() || Lost()) {
        shownValid_ = false;
        shown_.clear();
        return;
    }
    // A texture changed after a draw used it: GL would draw it with the
    // new contents. Done as it stands, and drawn whole next time.
    const bool current = std::all_of(ops.begin(), ops.end(), [](const GlRecordedOp& op) {
        for (uint32_t stage = 0; stage < kStages; ++stage) {
            const auto* t = static_cast<const GlTextureSurface*>(op.state.texture[stage]);
            if (t != nullptr && t->ContentVersion() != op.textureVersions[stage]) {
                return false;
            }
        }
        return true;
    });
    const Rect whole = WholeTarget();
    const bool definesWhole = current && DefinesWholePicture(ops, whole);
    const std::vector<Rect> damage =
        definesWhole && shownValid_ ? DamageBetween(shown_, ops) : std::vector<Rect>{whole};
    // Drawn whole, as it was recorded: no scissor to clip against.
    const bool everything = damage.size() == 1 && damage.front() == whole;
    std::vector<Rect> parts;
    for (const GlRecordedOp& op : ops) {
        if (everything) {
            Execute(op, {});
            continue;
        }
        parts.clear();
        for (const Rect& d : damage) {
            const Rect part = RectIntersection(op.bounds, d);
            if (!RectEmpty(part)) {
                parts.push_back(part);
            }
        }
        if (!parts.empty()) {
            Execute(op, parts);
        }
    }
    glDisable(GL_SCISSOR_TEST);
    shownValid_ = definesWhole;
    shown_ = definesWhole ? std::move(ops) : std::vector<GlRecordedOp>{};
}

void GlDevice::Scissor(const Rect& r) const
{
    // Rows count from the top in Direct3D, from the bottom in GL.
    glScissor(r.left, static_cast<GLint>(shared_->targetHeight) - r.bottom, r.right - r.left, r.bottom - r.top);
}

void GlDevice::Execute(const GlRecordedOp& op, const std::vector<Rect>& parts)
{
    if (parts.empty()) {
        glDisable(GL_SCISSOR_TEST);
    } else {
        glEnable(GL_SCISSOR_TEST);
    }
    if (op.kind == GlRecordedOp::Kind::Clear) {
        if (op.mask == 0) {
            return;
        }
        const D3DCOLOR color = op.color;
        glClearColor(((color >> 16) & 0xFF) / 255.0f, ((color >> 8) & 0xFF) / 255.0f, (color & 0xFF) / 255.0f,
                     (color >> 24) / 255.0f);
        glClearDepth(op.z);
        glClearStencil(static_cast<GLint>(op.stencil));
        // A Direct3D clear ignores the write masks; GL obeys them.
        shared_->gl.BindFramebuffer(GL_FRAMEBUFFER, shared_->framebuffer);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glDepthMask(GL_TRUE);
        glStencilMask(0xFFFFFFFFu);
        glEnable(GL_SCISSOR_TEST);
        for (const Rect& rect : op.rects) {
            if (parts.empty()) {
                Scissor(rect);
                glClear(op.mask);
            }
            for (const Rect& part : parts) {
                const Rect r = RectIntersection(rect, part);
                if (!RectEmpty(r)) {
                    Scissor(r);
                    glClear(op.mask);
                }
            }
        }
        return;
    }
    const bool colored = op.vertexFormat == kVertexColored;
    ApplyState(op.state, colored, op.vertexAlphaOne);
    const uint8_t* base = op.vertices.data();
    const auto stride = static_cast<GLsizei>(op.stride);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, base);
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, stride, base + 12);
    if (colored) {
        // D3DCOLOR bytes in memory are B, G, R, A.
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, base + 24);
    } else {
        glDisableClientState(GL_COLOR_ARRAY);
        glColor4f(1, 1, 1, 1);
    }
    // Every stage reads the one texture-coordinate pair.
    for (uint32_t stage = 0; stage < kStages; ++stage) {
        shared_->gl.ClientActiveTexture(GL_TEXTURE0 + stage);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, stride, base + (colored ? 28 : 24));
    }
    shared_->gl.ClientActiveTexture(GL_TEXTURE0);
    const GLenum mode = op.type == D3DPT_TRIANGLESTRIP ? GL_TRIANGLE_STRIP : GL_TRIANGLES;
    const auto count = static_cast<GLsizei>(op.indices.size());
    if (parts.empty()) {
        glDrawElements(mode, count, GL_UNSIGNED_SHORT, op.indices.data());
    }
    for (const Rect& part : parts) {
        Scissor(part);
        glDrawElements(mode, count, GL_UNSIGNED_SHORT, op.indices.data());
    }
}

} // namespace Platform
