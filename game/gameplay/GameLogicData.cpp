#include "game/gameplay/GameLogicData.h"

#include <algorithm>
#include <cmath>

#include "engine/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"
#include "engine/graphics/Image.h"
#include "framework/VersionedFile.h"
#include "game/common/LevelManager.h"
#include "game/gameplay/PictureMaterial.h"
#include "game/gameplay/PuzzleFile.h"
#include "game/gameplay/TexturePack.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;

namespace {

constexpr uint32_t PuzzleVersion = 108;
// Pixels between two sample points of a piece's mask, in both directions.
constexpr int32_t OutlineStep = 3;

ColorRGBA ReadColour(FileTextual& file)
{
    float channels[3];
    for (float& channel : channels) {
        channel = std::clamp(file.ReadFloat() / 255.0f, 0.0f, 1.0f);
    }
    return ColorRGBA(channels[0], channels[1], channels[2], 1.0f);
}

} // namespace

GameLogicData::GameLogicData(Engine* engine, const std::string& languageCode, const StageInfo& stageInfo,
                             const LevelInfo& levelInfo)
    : DataKeeper(engine, languageCode), stageInfo(&stageInfo), levelInfo(&levelInfo)
{
}

GameLogicData::~GameLogicData()
{
    texturePack.reset();
}

std::string GameLogicData::GetSuffix() const
{
    return UIntToText(levelInfo->stageIndex) + "_" + UIntToText(levelInfo->levelIndex);
}

std::string GameLogicData::PuzzleFolder() const
{
    return "data\\puzzles\\" + levelInfo->puzzleName + "\\";
}

void GameLogicData::Load()
{
    DataKeeper::Load();
    const std::string folder = PuzzleFolder();
    const std::string suffix = GetSuffix();

    const std::string themePath = folder + "theme.jpg";
    Image theme;
    if (!Image::Load(log, fileManager, theme, themePath)) {
        log->Fatal("Failed to open \"" + themePath + "\" image!");
    }
    // A grey or transparent picture is read three bytes a pixel below.
    if (theme.GetBits() != 24) {
        theme.Convert(24);
    }
    const uint32_t width = theme.GetWidth();
    const uint32_t height = theme.GetHeight();
    if (width > BoardPictureWidth || height > BoardPictureHeight) {
        log->Fatal("Picture \"" + themePath + "\" of " + UIntToText(width) + " x " + UIntToText(height) +
                   " pixels is larger than the board's " + UIntToText(BoardPictureWidth) + " x " +
                   UIntToText(BoardPictureHeight));
    }

    const std::string puzzlePath = folder + "puzzle.pzf";
    PuzzleFileContents puzzle;
    try {
        GameFramework::VersionedFile file(fileManager, "APPZF", PuzzleVersion);
        file.Open(GameFramework::VersionedFile::ModeRead, puzzlePath);
        ReadPuzzleFile(*file.GetFile(), puzzlePath, width, height, puzzle);
        file.Close();
    } catch (const FileError& error) {
        log->Fatal(error.message);
    }

    pictureSize = puzzle.pictureSize;
    // The board's quads and texture rectangles come from this size; a value
    // that does not match the picture would shift the board against them.
    if (!(std::fabs(pictureSize.x - static_cast<float>(width)) < 0.5f &&
          std::fabs(pictureSize.y - static_cast<float>(height)) < 0.5f)) {
        log->Warning("Puzzle \"" + puzzlePath + "\" is made for a picture of " + FloatToText(pictureSize.x, 0) +
                     " x " + FloatToText(pictureSize.y, 0) + " pixels, \"" + themePath + "\" has " +
                     UIntToText(width) + " x " + UIntToText(height) + "; the picture's size is used");
        pictureSize = Vector2(static_cast<float>(width), static_cast<float>(height));
    }

    const size_t count = puzzle.pieces.size();
    pieceBlocked.resize(count);
    pieceCentres.resize(count);
    pieceSizes.resize(count);
    piecePositions.resize(count);
    pieceExtents.resize(count);
    piecePackNames.resize(count);
    pieceLinks.clear();
    pieceOutlinePoints.clear();
    for (size_t i = 0; i < count; ++i) {
        const PuzzlePiece& piece = puzzle.pieces[i];
        pieceBlocked[i] = piece.blocked;
        piecePositions[i] = {piece.x, piece.y};
        pieceExtents[i] = {piece.width, piece.height};
        pieceSizes[i] = Vector2(static_cast<float>(piece.width), static_cast<float>(piece.height));
        pieceCentres[i] = Vector2(static_cast<float>(piece.x) + static_cast<float>(piece.width) * 0.5f,
                                  static_cast<float>(piece.y) + static_cast<float>(piece.height) * 0.5f);
        pieceLinks.push_back(piece.links);

        std::vector<Vector2> points;
        points.reserve(static_cast<size_t>(piece.width) * static_cast<size_t>(piece.height) / 9);
        for (int32_t x = 0; x < piece.width; x += OutlineStep) {
            for (int32_t y = 0; y < piece.height; y += OutlineStep) {
                if (piece.mask[static_cast<size_t>(x) + static_cast<size_t>(y) * static_cast<size_t>(piece.width)]) {
                    points.emplace_back(static_cast<float>(piece.x + x), static_cast<float>(piece.y + y));
                }
            }
        }
        pieceOutlinePoints.push_back(std::move(points));
    }

    try {
        const std::unique_ptr<FileTextual> colours = fileManager->OpenTextFile(folder + "puzzle.ini", false);
        boardTintColour = ReadColour(*colours);
        outlineColour = ReadColour(*colours);
        highlightColour = ReadColour(*colours);
    } catch (const FileError& error) {
        log->Fatal(error.message);
    }

    // Each piece's picture: the picture's colours, opaque inside the mask
    // except where a cut line runs.
    std::vector<std::unique_ptr<Image>> piecePictures;
    std::vector<TexturePackItem> packItems;
    for (PuzzlePiece& piece : puzzle.pieces) {
        auto picture = std::make_unique<Image>();
        const auto pieceWidth = static_cast<uint32_t>(piece.width);
        const auto pieceHeight = static_cast<uint32_t>(piece.height);
        picture->Create(pieceWidth, pieceHeight, 32, log);
        picture->Fill(ColorRGBA(0, 0, 0, 0));
        for (uint32_t py = 0; py < pieceHeight; ++py) {
            const uint32_t row = static_cast<uint32_t>(piece.y) + py;
            const uint8_t* source = theme.GetRow(row) + static_cast<size_t>(piece.x) * 3;
            const uint8_t* lines = puzzle.cutLines.data() + static_cast<size_t>(row) * width + piece.x;
            const uint8_t* mask = piece.mask.data() + static_cast<size_t>(py) * pieceWidth;
            uint8_t* target = picture->GetRow(py);
            for (uint32_t px = 0; px < pieceWidth; ++px) {
                target[px * 4] = source[px * 3];
                target[px * 4 + 1] = source[px * 3 + 1];
                target[px * 4 + 2] = source[px * 3 + 2];
                if (mask[px]) {
                    target[px * 4 + 3] = static_cast<uint8_t>(255 - lines[px]);
                }
            }
        }
        piece.mask.clear();
        piece.mask.shrink_to_fit();
        packItems.push_back({std::string(), picture.get()});
        piecePictures.push_back(std::move(picture));
    }

    BuildTexturePack(texturePack, "puzzle_elements_" + suffix, engine, packItems);
    for (size_t i = 0; i < count; ++i) {
        piecePackNames[i] = packItems[i].name;
    }
    packItems.clear();
    piecePictures.clear();

    // The cut lines in the outline colour over the whole board picture.
    auto outline = std::make_unique<Image>();
    outline->Create(BoardPictureWidth, BoardPictureHeight, 32, log);
    outline->Fill(ColorRGBA(outlineColour.r, outlineColour.g, outlineColour.b, 1.0f));
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* target = outline->GetRow(y);
        const uint8_t* lines = puzzle.cutLines.data() + static_cast<size_t>(y) * width;
        for (uint32_t x = 0; x < width; ++x) {
            target[x * 4 + 3] = lines[x];
        }
    }
    outlineShaderUser = CreatePictureShaderUser(*engine, "puzzle_" + suffix, true, std::move(outline));
    AddAnonymousShaderUser(outlineShaderUser);

    // The picture on white, and from it the pale background the board shows
    // before the pieces are placed.
    auto themePicture = std::make_unique<Image>();
    themePicture->Create(BoardPictureWidth, BoardPictureHeight, 24, log);
    themePicture->Fill(ColorRGBA(1, 1, 1, 1));
    theme.BlitTo(*themePicture, 0, 0);
    theme.Release();

    auto background = std::make_unique<Image>();
    background->Create(BoardPictureWidth, BoardPictureHeight, 24, log);
    const size_t pixels = size_t{BoardPictureWidth} * BoardPictureHeight;
    const uint8_t* source = themePicture->GetPixels();
    uint8_t* target = background->GetPixels();
    for (size_t p = 0; p < pixels * 3; p += 3) {
        const float grey = static_cast<float>(source[p] + source[p + 1] + source[p + 2]) / 3.0f;
        for (size_t c = 0; c < 3; ++c) {
            target[p + c] = static_cast<uint8_t>(0.2f * static_cast<float>(source[p + c]) + 0.8f * grey);
        }
    }
    backgroundShaderUser = CreatePictureShaderUser(*engine, "puzzle_background_" + suffix, false, std::move(background));
    AddAnonymousShaderUser(backgroundShaderUser);

    themeShaderUser = CreatePictureShaderUser(*engine, "puzzle_theme_" + suffix, false, std::move(themePicture));
    AddAnonymousShaderUser(themeShaderUser);
}

} // namespace ActionPuzzle
