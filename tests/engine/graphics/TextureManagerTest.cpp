// Textures and the texture manager on the scripted driver: sharing by key,
// fitting to the device, mip chains, pixel formats and packing, the
// substitute picture, surface failures and restoring after a device reset.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/core/Error.h"
#include "platform/graphics/scripted/ScriptedObjects.h"
#include "tests/engine/graphics/TextureFixture.h"

namespace ZorvaneEngine {
namespace {

using namespace Platform;

class TextureManagerTest : public TextureFixture {};

bool HasLevel(const std::vector<std::string>& lines, char level)
{
    for (const std::string& line : lines) {
        if (line[0] == level) {
            return true;
        }
    }
    return false;
}

TEST_F(TextureManagerTest, SharedByKeyCountedAndReleased)
{
    StartTextures();
    std::filesystem::create_directory(folder / "ui");
    Put("ui/button.tga", *Plain(4, 4, 24));
    Put("ui/button_alpha.tga", *Plain(4, 4, 8));
    const uint32_t live = graphics.LiveObjects();

    Texture2D* a = manager->GetTexture("UI\\Button.tga", "ui\\button_alpha.tga", true);
    Texture2D* b = manager->GetTexture("ui\\BUTTON.TGA", "UI\\Button_Alpha.tga", true);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a->GetReferenceCount(), 2u);
    EXPECT_EQ(a->GetKey(), "diffuse_ui\\button.tga_plus_opacity_ui\\button_alpha.tga_with_mip_mapping");
    Texture2D* c = manager->GetTexture("ui\\button.tga", "", false);
    EXPECT_NE(c, a);
    EXPECT_EQ(c->GetKey(), "diffuse_ui\\button.tga");
    EXPECT_EQ(renderer->GetTextureCount(), 2u);

    std::vector<Texture2D*> list{nullptr};
    manager->GetTextures(list);
    EXPECT_EQ(list, (std::vector<Texture2D*>{c, a}));
    // 4 × 4 × 3 bytes; with opacity 32 bits over 4 × 4, 2 × 2 and 1 × 1.
    EXPECT_EQ(c->GetVideoBytes(), 48u);
    EXPECT_EQ(a->GetVideoBytes(), 84u);
    EXPECT_EQ(manager->GetUsedVideoMemory(), 132u);

    // Handed-over pictures of a known key are taken and deleted.
    EXPECT_EQ(manager->CreateTexture(false, Plain(2, 2, 8).release(), true, "UI\\button.tga", "",
                                     Plain(2, 2, 24).release()),
              c);
    EXPECT_EQ(c->GetReferenceCount(), 2u);

    renderer->SetTexture(1, a);
    manager->ReleaseTexture(a);
    EXPECT_EQ(a->GetReferenceCount(), 1u);
    EXPECT_EQ(renderer->GetStates().texture[1], a);
    graphics.ClearCalls();
    manager->ReleaseTexture(a);
    // Gone from the registry and from the stage, which the device lets go.
    EXPECT_EQ(renderer->GetTextureCount(), 1u);
    EXPECT_EQ(renderer->GetStates().texture[1], nullptr);
    EXPECT_EQ(TakeCalls("Device::SetTexture"), (std::vector<std::string>{"Device::SetTexture 1 0"}));
    manager->GetTextures(list);
    EXPECT_EQ(list, (std::vector<Texture2D*>{c}));

    manager->ReleaseTexture(nullptr);
    manager->ReleaseTexture(c);
    manager->ReleaseTexture(c);
    EXPECT_EQ(renderer->GetTextureCount(), 0u);
    EXPECT_EQ(manager->GetUsedVideoMemory(), 0u);
    EXPECT_EQ(graphics.LiveObjects(), live);
    EXPECT_EQ(TakeLog(), std::vector<std::string>{});
}

TEST_F(TextureManagerTest, DeletedTextureLeavesTheRegistryAndEveryStage)
{
    StartTextures();
    auto picture = Plain(2, 2, 24);
    std::unique_ptr<Texture2D> first(renderer->CreateTexture(nullptr, "diffuse_a.tga", picture.get(),
                                                             nullptr, false));
    std::unique_ptr<Texture2D> second(renderer->CreateTexture(nullptr, "diffuse_b.tga", picture.get(),
                                                              nullptr, false));
    EXPECT_EQ(renderer->GetTextureCount(), 2u);
    renderer->SetTexture(0, first.get());
    renderer->SetTexture(1, first.get());
    graphics.ClearCalls();
    first.reset();
    EXPECT_EQ(renderer->GetTextureCount(), 1u);
    EXPECT_EQ(renderer->GetStates().texture[0], nullptr);
    EXPECT_EQ(renderer->GetStates().texture[1], nullptr);
    EXPECT_EQ(TakeCalls("Device::SetTexture"),
              (std::vector<std::string>{"Device::SetTexture 0 0", "Device::SetTexture 1 0"}));

    // Only registered textures can leave.
    alignas(8) char standIn[8] = {};
    try {
        renderer->RemoveTexture(reinterpret_cast<Texture2D*>(standIn), "diffuse_c.tga");
        ADD_FAILURE() << "no fatal error";
    } catch (const FatalError& e) {
        EXPECT_EQ(e.message, "RenderSystem_D3D7: Failed to remove texture \"diffuse_c.tga\"");
    }
    second.reset();
    EXPECT_EQ(renderer->GetTextureCount(), 0u);
}

TEST_F(TextureManagerTest, PowersOfTwoAndFittedSizes)
{
    for (uint32_t v : {0u, 1u, 2u, 4u, 1024u, 65536u}) {
        EXPECT_TRUE(TextureManager::IsPowerOfTwo(v)) << v;
    }
    for (uint32_t v : {3u, 6u, 96u, 65535u, 131072u, 0x80000000u}) {
        EXPECT_FALSE(TextureManager::IsPowerOfTwo(v)) << v;
    }
    struct Case {
        uint32_t size, limit, fitted;
    } cases[] = {
        {96, 0, 128},      // a tie takes the larger
        {80, 0, 64},   {300, 0, 256}, {3, 0, 4},     {1, 0, 1},
        {1024, 256, 256},  // within the device's maximum
        {64, 2048, 64}, {5000, 2048, 2048}, {0xC0000000u, 0, 0x80000000u},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextureManager::FitSize(c.size, c.limit), c.fitted) << c.size << " " << c.limit;
    }
}

TEST_F(TextureManagerTest, PicturesAreFittedToTheDeviceWithWarnings)
{
    struct Case {
        uint32_t width, height, maxSize, fittedWidth, fittedHeight;
        bool warned;
    } cases[] = {
        {96, 96, 2048, 128, 128, true},
        {80, 300, 2048, 64, 256, true},
        {1024, 512, 256, 256, 256, false},
        {64, 32, 2048, 64, 32, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        Device().desc.maxTextureWidth = c.maxSize;
        Device().desc.maxTextureHeight = c.maxSize;
        StartTextures();
        auto picture = Plain(c.width, c.height, 24);
        Texture2D* texture = manager->CreateTexture(false, nullptr, false, "Pic.tga", "", picture.get());
        EXPECT_EQ(texture->GetWidth(), c.fittedWidth);
        EXPECT_EQ(texture->GetHeight(), c.fittedHeight);
        // The caller's picture is scaled in place.
        EXPECT_EQ(picture->GetWidth(), c.fittedWidth);
        EXPECT_EQ(picture->GetHeight(), c.fittedHeight);
        const std::vector<std::string> creations = TakeCalls("DirectDraw::CreateSurface");
        ASSERT_FALSE(creations.empty());
        // caps, caps2, width, height, bits, mip levels
        EXPECT_EQ(creations[0], "DirectDraw::CreateSurface " + std::to_string(DDSCAPS_TEXTURE) + " " +
                                    std::to_string(DDSCAPS2_TEXTUREMANAGE) + " " +
                                    std::to_string(c.fittedWidth) + " " +
                                    std::to_string(c.fittedHeight) + " 32 0");
        EXPECT_EQ(TakeLog(), c.warned ? std::vector<std::string>{"1 Texture Manager: \"Pic.tga\" image size "
                                                                 "should be power of two"}
                                      : std::vector<std::string>{});
    }

    // An opacity picture of another size is scaled to the diffuse size.
    auto diffuse = Plain(128, 128, 24);
    auto opacity = Plain(64, 64, 8, 77);
    Texture2D* texture = manager->CreateTexture(false, opacity.get(), false, "d.tga", "o.tga", diffuse.get());
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{
                             "1 Texture Manager: \"o.tga\" image size should be the same as \"d.tga\""}));
    EXPECT_EQ(opacity->GetWidth(), 128u);
    EXPECT_EQ(opacity->GetHeight(), 128u);
    const std::vector<MemorySurface*> levels = Levels(texture);
    ASSERT_EQ(levels.size(), 1u);
    for (uint32_t pixel : AllPixels(*levels[0])) {
        ASSERT_EQ(pixel >> 24, 77u);
    }

    // Handed straight to the renderer, a smaller opacity picture is read
    // at the diffuse size through a copy, never past its end.
    auto small = Plain(2, 2, 8, 55);
    std::unique_ptr<Texture2D> direct(
        renderer->CreateTexture(nullptr, "diffuse_direct", Plain(8, 8, 24).get(), small.get(), false));
    EXPECT_EQ(small->GetWidth(), 2u);
    EXPECT_EQ(AllPixels(*Levels(direct.get())[0]), std::vector<uint32_t>(64, 0x37808080));
}

TEST_F(TextureManagerTest, MipChainLevelsAndContents)
{
    StartTextures();
    Texture2D* wide = manager->CreateTexture(true, nullptr, false, "wide.tga", "", Plain(256, 64, 24).get());
    std::vector<MemorySurface*> levels = Levels(wide);
    ASSERT_EQ(levels.size(), 9u);
    EXPECT_EQ(levels[7]->Desc().width, 2u);
    EXPECT_EQ(levels[7]->Desc().height, 1u);
    EXPECT_EQ(levels[8]->Desc().width, 1u);
    EXPECT_EQ(levels[8]->Desc().height, 1u);
    EXPECT_TRUE(wide->IsMipMapped());
    // 3 bytes for each pixel of every level.
    EXPECT_EQ(wide->GetVideoBytes(), 3u * (16384 + 4096 + 1024 + 256 + 64 + 16 + 4 + 2 + 1));
    EXPECT_EQ(TakeCalls("DirectDraw::CreateSurface")[0],
              "DirectDraw::CreateSurface " +
                  std::to_string(DDSCAPS_TEXTURE | DDSCAPS_MIPMAP | DDSCAPS_COMPLEX) + " " +
                  std::to_string(DDSCAPS2_TEXTUREMANAGE) + " 256 64 32 9");

    // Each channel of a level is the rounded mean of a 2 × 2 block (red:
    // (10 + 20 + 30 + 41 + 2) / 4 = 25), alpha included.
    const uint8_t block[4][4] = {{10, 0, 255, 0}, {20, 0, 255, 0}, {30, 0, 255, 0}, {41, 0, 253, 3}};
    auto square = MakeImage(2, 2, 32, [&](uint32_t x, uint32_t y, uint32_t c) { return block[y * 2 + x][c]; });
    levels = Levels(manager->CreateTexture(true, nullptr, false, "square.tga", "", square.get()));
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(AllPixels(*levels[0]), (std::vector<uint32_t>{0x000A00FF, 0x001400FF, 0x001E00FF, 0x032900FD}));
    EXPECT_EQ(AllPixels(*levels[1]), (std::vector<uint32_t>{0x011900FF}));

    // Along a dimension of one pixel the row counts twice:
    // (10 + 21 + 10 + 21 + 2) / 4 = 16, where a missing row would give 8.
    const uint8_t row[4] = {10, 21, 100, 200};
    auto line = MakeImage(4, 1, 24, [&](uint32_t x, uint32_t, uint32_t c) { return c == 0 ? row[x] : 0; });
    levels = Levels(manager->CreateTexture(true, nullptr, false, "line.tga", "", line.get()));
    ASSERT_EQ(levels.size(), 3u);
    EXPECT_EQ(AllPixels(*levels[1]), (std::vector<uint32_t>{0x00100000, 0x00960000}));
    EXPECT_EQ(AllPixels(*levels[2]), (std::vector<uint32_t>{0x00530000}));

    // "r_show_mip_maps": level 1 red and fully opaque, and what follows it.
    config->showMipMaps = true;
    levels = Levels(manager->CreateTexture(true, Plain(4, 4, 8, 10).get(), false, "shown.tga", "a.tga",
                                           Plain(4, 4, 24, 60).get()));
    ASSERT_EQ(levels.size(), 3u);
    EXPECT_EQ(AllPixels(*levels[0]), std::vector<uint32_t>(16, 0x0A3C3C3C));
    EXPECT_EQ(AllPixels(*levels[1]), std::vector<uint32_t>(4, 0xFFFF0000));
    EXPECT_EQ(AllPixels(*levels[2]), std::vector<uint32_t>(1, 0xFFFF0000));
    config->showMipMaps = false;

    // "r_use_mip_mapping" off: one level, the key as asked.
    config->mipMapping = false;
    Texture2D* flat = manager->CreateTexture(true, nullptr, false, "flat.tga", "", Plain(8, 8, 24).get());
    EXPECT_FALSE(flat->IsMipMapped());
    EXPECT_EQ(flat->GetKey(), "diffuse_flat.tga_with_mip_mapping");
    EXPECT_EQ(Levels(flat).size(), 1u);
    EXPECT_EQ(TakeLog(), std::vector<std::string>{});
}

PixelFormat Special(uint32_t flags)
{
    PixelFormat f = FormatA8R8G8B8();
    f.flags |= flags;
    return f;
}

TEST_F(TextureManagerTest, FormatChoiceAndPacking)
{
    const std::vector<PixelFormat> all = {FormatA8R8G8B8(), FormatX8R8G8B8(), FormatR5G6B5(),
                                          FormatA1R5G5B5(), FormatA4R4G4B4()};
    const std::vector<PixelFormat> sixteen = {FormatR5G6B5(), FormatA4R4G4B4(), FormatA1R5G5B5()};
    struct Case {
        const char* name;
        std::vector<PixelFormat> offered;
        std::vector<uint8_t> diffuse;  // one pixel: 1, 3 or 4 bytes
        std::vector<uint8_t> opacity;  // none, or one pixel
        PixelFormat chosen;
        uint32_t pixel;
    } cases[] = {
        {"24 bits: no alpha, X byte 0", all, {200, 100, 50}, {}, FormatX8R8G8B8(), 0x00C86432},
        {"8 bits: grey", all, {90}, {}, FormatX8R8G8B8(), 0x005A5A5A},
        {"32 bits: its own alpha", all, {200, 100, 50, 7}, {}, FormatA8R8G8B8(), 0x07C86432},
        {"8-bit opacity", all, {200, 100, 50}, {77}, FormatA8R8G8B8(), 0x4DC86432},
        {"24-bit opacity: first byte", all, {200, 100, 50}, {33, 44, 55}, FormatA8R8G8B8(), 0x21C86432},
        {"32-bit opacity: fourth byte", all, {200, 100, 50}, {1, 2, 3, 99}, FormatA8R8G8B8(), 0x63C86432},
        {"32 bits before 16", {FormatR5G6B5(), FormatX8R8G8B8()}, {200, 100, 50}, {}, FormatX8R8G8B8(), 0x00C86432},
        {"luminance, bump map and FourCC skipped",
         {Special(DDPF_LUMINANCE), Special(DDPF_BUMPLUMINANCE), Special(DDPF_BUMPDUDV), Special(DDPF_FOURCC),
          FormatA4R4G4B4(), FormatA8R8G8B8()},
         {200, 100, 50, 7}, {}, FormatA8R8G8B8(), 0x07C86432},
        // (200 >> 3) << 11 | (100 >> 2) << 5 | 50 >> 3
        {"16 bits", sixteen, {200, 100, 50}, {}, FormatR5G6B5(), 0xCB26},
        // 4-bit alpha is never taken: 1 | 25 << 10 | 12 << 5 | 6
        {"16 bits with alpha", sixteen, {200, 100, 50}, {200}, FormatA1R5G5B5(), 0xE586},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        graphics.Script().textureFormats = c.offered;
        StartTextures();
        const uint32_t dBits = static_cast<uint32_t>(c.diffuse.size()) * 8;
        auto diffuse = MakeImage(1, 1, dBits, [&](uint32_t, uint32_t, uint32_t k) { return c.diffuse[k]; });
        std::unique_ptr<Image> opacity;
        if (!c.opacity.empty()) {
            const uint32_t oBits = static_cast<uint32_t>(c.opacity.size()) * 8;
            opacity = MakeImage(1, 1, oBits, [&](uint32_t, uint32_t, uint32_t k) { return c.opacity[k]; });
        }
        Texture2D* texture =
            manager->CreateTexture(false, opacity.get(), false, "p.tga", opacity ? "o.tga" : "", diffuse.get());
        const std::vector<MemorySurface*> levels = Levels(texture);
        ASSERT_EQ(levels.size(), 1u);
        EXPECT_EQ(levels[0]->Desc().pixelFormat, c.chosen);
        EXPECT_EQ(PixelAt(*levels[0], 0, 0), c.pixel);
        EXPECT_EQ(TakeLog(), std::vector<std::string>{});
    }

    // Nothing with alpha but 4-bit alpha: the program cannot go on.
    graphics.Script().textureFormats = {FormatA4R4G4B4(), FormatX8R8G8B8(), Special(DDPF_LUMINANCE)};
    StartTextures();
    auto diffuse = Plain(1, 1, 32);
    try {
        manager->CreateTexture(false, nullptr, false, "p.tga", "", diffuse.get());
        ADD_FAILURE() << "no fatal error";
    } catch (const FatalError& e) {
        EXPECT_EQ(e.message, "Direct3D Subsystem (Texture2D_D3D7::CreateSurface): Failed to find texture format");
    }
    EXPECT_EQ(renderer->GetTextureCount(), 0u);
    std::vector<Texture2D*> list;
    manager->GetTextures(list);
    EXPECT_TRUE(list.empty());
}

TEST_F(TextureManagerTest, MissingPicturesAndSharedNames)
{
    StartTextures();
    Texture2D* missing = manager->GetTexture("missing.tga", "missing_alpha.tga", false);
    EXPECT_TRUE(HasLevel(TakeLog(), '2'));
    EXPECT_EQ(missing->GetKey(), "diffuse_missing.tga_plus_opacity_missing_alpha.tga");
    std::vector<MemorySurface*> levels = Levels(missing);
    ASSERT_EQ(levels.size(), 1u);
    // The substitute board without opacity: 64 × 64, yellow in the corners,
    // black and yellow 8 × 8 cells.
    EXPECT_EQ(levels[0]->Desc().pixelFormat, FormatX8R8G8B8());
    EXPECT_EQ(missing->GetWidth(), 64u);
    EXPECT_EQ(missing->GetHeight(), 64u);
    EXPECT_EQ(PixelAt(*levels[0], 0, 0), 0x00FFFF00u);
    EXPECT_EQ(PixelAt(*levels[0], 7, 7), 0x00FFFF00u);
    EXPECT_EQ(PixelAt(*levels[0], 8, 0), 0u);
    EXPECT_EQ(PixelAt(*levels[0], 63, 63), 0x00FFFF00u);

    // One file as both pictures: the opacity is the diffuse picture's copy,
    // whose first byte (red) is the alpha.
    Put("pic.tga", *MakeImage(1, 1, 24, [](uint32_t, uint32_t, uint32_t c) { return uint8_t(200 - 50 * c); }));
    levels = Levels(manager->GetTexture("pic.tga", "pic.tga", false));
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_EQ(PixelAt(*levels[0], 0, 0), 0xC8C89664u);
    EXPECT_EQ(TakeLog(), std::vector<std::string>{});
}

TEST_F(TextureManagerTest, FailedSurfaceCreationStopsAndIsRetriedAtBinding)
{
    StartTextures();
    Put("pic.tga", *Plain(4, 4, 24, 9));
    graphics.Fail("DirectDraw::CreateSurface", DDERR_OUTOFVIDEOMEMORY);
    auto* texture = dynamic_cast<Texture2D_D3D7*>(manager->GetTexture("pic.tga", "", false));
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetSurface(), nullptr);
    EXPECT_EQ(texture->GetVideoBytes(), 0u);
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"2 Direct3D Subsystem (Texture2D_D3D7::CreateSurface): "
                                                   "DirectDraw does not have enough display memory to "
                                                   "perform the operation."}));
    // Nothing was locked, copied or asked of a surface that is not there.
    EXPECT_EQ(TakeCalls("Surface::"), std::vector<std::string>{});

    // A device still drawing is asked again.
    graphics.Fail("Surface::Lock", DDERR_WASSTILLDRAWING, 2);
    renderer->SetTexture(0, texture);
    ASSERT_NE(texture->GetSurface(), nullptr);
    EXPECT_EQ(TakeCalls("Surface::Lock").size(), 3u);
    EXPECT_EQ(AllPixels(*Levels(texture)[0]), std::vector<uint32_t>(16, 0x00090909));
    EXPECT_EQ(texture->GetVideoBytes(), 48u);
    EXPECT_EQ(TakeLog(), std::vector<std::string>{});
}

TEST_F(TextureManagerTest, ResetRestoresEveryTextureAsItWasMade)
{
    StartTextures();
    // Sizes that need fitting: 96 × 80 becomes 128 × 64, and the opacity
    // picture is scaled to that.
    Put("photo.tga", *MakeImage(96, 80, 24, [](uint32_t x, uint32_t y, uint32_t c) {
        return static_cast<uint8_t>(x * 2 + y * 3 + c * 50);
    }));
    Put("photo_alpha.tga", *MakeImage(48, 40, 8, [](uint32_t x, uint32_t y, uint32_t) {
        return static_cast<uint8_t>(x * 5 + y);
    }));
    Texture2D* photo = manager->GetTexture("photo.tga", "photo_alpha.tga", true);
    // Handed over: there is no file to read again.
    Texture2D* made = manager->CreateTexture(true, nullptr, true, "generated", "",
                                             MakeImage(3, 3, 32, [](uint32_t x, uint32_t y, uint32_t c) {
                                                 return static_cast<uint8_t>(x + 10 * y + 100 * c);
                                             }).release());
    renderer->SetTexture(0, photo);
    EXPECT_EQ(photo->GetWidth(), 128u);
    EXPECT_EQ(photo->GetHeight(), 64u);
    TakeLog();

    auto snapshot = [this](Texture2D* texture) {
        std::vector<std::vector<uint32_t>> levels;
        for (MemorySurface* level : Levels(texture)) {
            levels.push_back(AllPixels(*level));
        }
        return levels;
    };
    const auto photoBefore = snapshot(photo);
    const auto madeBefore = snapshot(made);
    ASSERT_EQ(photoBefore.size(), 8u);
    ASSERT_EQ(madeBefore.size(), 3u);
    const uint32_t memory = manager->GetUsedVideoMemory();

    // A mode change: the device and every texture surface are made anew.
    renderer->CheckVideoMode();
    renderer->Reset(ResetDevice | ResetTextures);
    EXPECT_FALSE(renderer->AreTexturesLost());
    EXPECT_EQ(photo->GetWidth(), 128u);
    EXPECT_EQ(photo->GetHeight(), 64u);
    EXPECT_EQ(snapshot(photo), photoBefore);
    EXPECT_EQ(snapshot(made), madeBefore);
    EXPECT_EQ(manager->GetUsedVideoMemory(), memory);
    EXPECT_FALSE(HasLevel(TakeLog(), '1'));

    // A texture found without a surface when a stage binds it is restored.
    auto* d3d7 = dynamic_cast<Texture2D_D3D7*>(made);
    d3d7->ReleaseSurface();
    graphics.ClearCalls();
    renderer->SetTexture(1, made);
    ASSERT_NE(d3d7->GetSurface(), nullptr);
    EXPECT_EQ(snapshot(made), madeBefore);
    const std::vector<GraphicsCall> binds = graphics.CallsNamed("Device::SetTexture");
    ASSERT_EQ(binds.size(), 1u);
    EXPECT_EQ(binds[0].args, (std::vector<double>{1, ScriptedSurface::IdOf(d3d7->GetSurface())}));
}

} // namespace
} // namespace ZorvaneEngine
