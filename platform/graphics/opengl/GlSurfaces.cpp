#include "platform/graphics/opengl/GlSurfaces.h"

#include <cstring>

namespace Platform {

namespace {

struct UploadFormat {
    GLint internal;
    GLenum format;
    GLenum type;
};

// Colour bytes in memory are B, G, R, A for the 32-bit formats. Without an
// alpha mask the texture gets no alpha channel: the X byte is left 0 by the
// upload and must not make the texture transparent.
bool UploadFormatOf(const PixelFormat& f, UploadFormat& u)
{
    if (f.rgbBitCount == 32 && f.redMask == 0xFF0000 && f.greenMask == 0xFF00 && f.blueMask == 0xFF) {
        u = {f.alphaMask != 0 ? GL_RGBA8 : GL_RGB8, GL_BGRA, GL_UNSIGNED_BYTE};
        return true;
    }
    if (f.rgbBitCount == 16 && f.redMask == 0xF800 && f.alphaMask == 0) {
        u = {GL_RGB8, GL_RGB, GL_UNSIGNED_SHORT_5_6_5};
        return true;
    }
    if (f.rgbBitCount == 16 && f.redMask == 0x7C00 && f.alphaMask == 0x8000) {
        u = {GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV};
        return true;
    }
    if (f.rgbBitCount == 16 && f.redMask == 0xF00 && f.alphaMask == 0xF000) {
        u = {GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV};
        return true;
    }
    return false;
}

} // namespace

GlTextureSurface::GlTextureSurface(Unknown* owner, const SurfaceDesc& desc,
                                   std::shared_ptr<GlShared> shared)
    : MemorySurface(owner, desc), shared_(std::move(shared))
{
}

GlTextureSurface::~GlTextureSurface()
{
    shared_->DeleteTexture(name_, contextNumber_);
}

uint32_t GlTextureSurface::LevelCount() const
{
    uint32_t count = 1;
    for (const MemorySurface* s = FindAttached(DDSCAPS_TEXTURE | DDSCAPS_MIPMAP); s != nullptr;
         s = s->FindAttached(DDSCAPS_TEXTURE | DDSCAPS_MIPMAP)) {
        ++count;
    }
    return count;
}

bool GlTextureSurface::Opaque() const
{
    UploadFormat u{};
    return UploadFormatOf(Desc().pixelFormat, u) && u.internal == GL_RGB8;
}

uint64_t GlTextureSurface::ContentVersion() const
{
    uint64_t sum = 0;
    const MemorySurface* level = this;
    for (uint32_t i = 0, n = LevelCount(); i < n && level != nullptr;
         ++i, level = level->FindAttached(DDSCAPS_TEXTURE | DDSCAPS_MIPMAP)) {
        sum += level->ChangeCount();
    }
    return sum;
}

GLuint GlTextureSurface::Bind()
{
    GlShared& shared = *shared_;
    if (name_ == 0 || contextNumber_ != shared.contextNumber) {
        glGenTextures(1, &name_);
        contextNumber_ = shared.contextNumber;
        uploaded_.clear();
    }
    glBindTexture(GL_TEXTURE_2D, name_);
    UploadFormat u{};
    if (!UploadFormatOf(Desc().pixelFormat, u)) {
        return name_;
    }
    const uint32_t levels = LevelCount();
    if (uploaded_.size() != levels) {
        uploaded_.assign(levels, ~uint64_t{0});
        // A chain shorter than the full pyramid is complete only with the
        // last level named; without it a mip filter samples black.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels - 1));
    }
    const MemorySurface* level = this;
    for (uint32_t i = 0; i < levels; ++i, level = level->FindAttached(DDSCAPS_TEXTURE | DDSCAPS_MIPMAP)) {
        if (uploaded_[i] == level->ChangeCount()) {
            continue;
        }
        const SurfaceDesc& d = level->Desc();
        // Surface row 0 is v = 0 and GL row 0 is t = 0: rows go up in order.
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, d.pitch / static_cast<GLint>(level->BytesPerPixel()));
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(i), u.internal, static_cast<GLsizei>(d.width),
                     static_cast<GLsizei>(d.height), 0, u.format, u.type, level->Pixels().data());
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        uploaded_[i] = level->ChangeCount();
    }
    return name_;
}

GlRenderTarget::GlRenderTarget(Unknown* owner, const SurfaceDesc& desc,
                               std::shared_ptr<GlShared> shared)
    : MemorySurface(owner, desc), shared_(std::move(shared))
{
}

HRESULT GlRenderTarget::IsLost()
{
    return shared_->lost ? DDERR_SURFACELOST : DD_OK;
}

HRESULT GlRenderTarget::Restore()
{
    if (shared_->InBackground()) {
        return DDERR_NOEXCLUSIVEMODE;
    }
    shared_->lost = false;
    return DD_OK;
}

HRESULT GlRenderTarget::Lock(const Rect* rect, SurfaceDesc& desc, uint32_t flags)
{
    if (shared_->lost) {
        return DDERR_SURFACELOST;
    }
    return MemorySurface::Lock(rect, desc, flags);
}

HRESULT GlRenderTarget::SyncFromDevice()
{
    GlShared& s = *shared_;
    if (s.lost) {
        return DDERR_SURFACELOST;
    }
    if (s.target != this || s.framebuffer == 0) {
        return DD_OK;  // never drawn into by a device: the memory is the picture
    }
    if (!s.CanCallGl()) {
        return DDERR_GENERIC;
    }
    if (s.flushDrawing) {
        s.flushDrawing();
    }
    const SurfaceDesc& d = Desc();
    std::vector<uint8_t> bgra(static_cast<size_t>(d.width) * d.height * 4);
    s.gl.BindFramebuffer(GL_READ_FRAMEBUFFER, s.framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, static_cast<GLsizei>(d.width), static_cast<GLsizei>(d.height), GL_BGRA,
                 GL_UNSIGNED_BYTE, bgra.data());
    // GL row 0 is the bottom of the picture, surface row 0 its top.
    std::vector<uint8_t>& out = MutablePixels();
    const bool wide = d.pixelFormat.rgbBitCount == 32;
    for (uint32_t y = 0; y < d.height; ++y) {
        const uint8_t* from = bgra.data() + static_cast<size_t>(d.height - 1 - y) * d.width * 4;
        uint8_t* to = out.data() + static_cast<size_t>(y) * d.pitch;
        for (uint32_t x = 0; x < d.width; ++x, from += 4) {
            if (wide) {
                // The fourth byte of an X8R8G8B8 target holds no alpha: 0.
                to[x * 4 + 0] = from[0];
                to[x * 4 + 1] = from[1];
                to[x * 4 + 2] = from[2];
                to[x * 4 + 3] = d.pixelFormat.alphaMask != 0 ? from[3] : 0;
            } else {
                const uint16_t v = static_cast<uint16_t>(((from[2] >> 3) << 11) | ((from[1] >> 2) << 5) |
                                                         (from[0] >> 3));
                std::memcpy(to + x * 2, &v, 2);
            }
        }
    }
    s.gl.BindFramebuffer(GL_FRAMEBUFFER, s.framebuffer);
    return DD_OK;
}

GlPrimarySurface::GlPrimarySurface(Unknown* owner, const SurfaceDesc& desc,
                                   std::shared_ptr<GlShared> shared)
    : MemorySurface(owner, desc), shared_(std::move(shared))
{
}

HRESULT GlPrimarySurface::Blt(const Rect*, DirectDrawSurface* source, const Rect*, uint32_t)
{
    if (source == nullptr || dynamic_cast<MemorySurface*>(source) != shared_->target) {
        return DDERR_UNSUPPORTED;
    }
    return shared_->Present();
}

HRESULT GlPrimarySurface::Flip(DirectDrawSurface*, uint32_t flags)
{
    if (FindAttached(DDSCAPS_BACKBUFFER) == nullptr) {
        return DDERR_NOTFLIPPABLE;
    }
    if ((flags & DDFLIP_NOVSYNC) == 0) {
        shared_->WaitForVerticalBlank();
    }
    return shared_->Present();
}

HRESULT GlPrimarySurface::IsLost()
{
    return shared_->lost ? DDERR_SURFACELOST : DD_OK;
}

HRESULT GlPrimarySurface::Restore()
{
    if (shared_->InBackground()) {
        return DDERR_NOEXCLUSIVEMODE;
    }
    shared_->lost = false;
    return DD_OK;
}

} // namespace Platform
