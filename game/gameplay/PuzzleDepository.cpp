#include "game/gameplay/PuzzleDepository.h"

#include <algorithm>
#include <cmath>

#include "engine/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "engine/input/Controls.h"
#include "framework/ScoreKeeper.h"
#include "framework/SoundPlayer.h"
#include "game/common/GameData.h"
#include "game/common/SoundId.h"
#include "game/gameplay/Carriage.h"
#include "game/gameplay/GUIGameLogicTextManager.h"
#include "game/gameplay/ModelPlacement.h"
#include "game/gameplay/PuzzleElement.h"
#include "game/gameplay/PuzzleElementManager.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;

namespace {

constexpr float Tolerance = 0.0001f;
constexpr int32_t HoleBottomLayer = 2;
constexpr int32_t HoleTopLayer = 10;
// A particle system just in front of the window it belongs to.
constexpr float EffectDepthStep = 0.001f;
// The score id of a mark passed by the final run.
constexpr int32_t MarkScoreId = 4;
constexpr float NoSegment = 100000.0f;

float Clamp01(float x)
{
    return std::clamp(x, 0.0f, 1.0f);
}

float Length(const Vector2& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y);
}

} // namespace

PuzzleDepository::PuzzleDepository(bool relax, PuzzleElementManager* pieceManager, Engine* engine,
                                   GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                                   GUIGameLogicTextManager* textManager, GameFramework::ScoreKeeper* scoreKeeper)
    : relax(relax), engine(engine), log(engine->log.get()), timers(engine->timers.get()),
      particleSystems(engine->particleSystems.get()), controls(engine->input.get()),
      guiManager(engine->guiManager.get()), soundPlayer(soundPlayer), gameData(gameData), textManager(textManager),
      pieceManager(pieceManager), scoreKeeper(scoreKeeper)
{
    GUIWindow* piecesWindow = pieceManager->GetPiecesWindow();
    if (!relax) {
        const uint32_t flags = GUIWindowFlags::Visible | GUIWindowFlags::VertexColor;
        holeBottomWindow = guiManager->CreateWindow(flags, Vector2(0, 0), Vector2(1, 1),
                                                    gameData->depositoryModels.holeBottom, piecesWindow);
        holeTopWindow = guiManager->CreateWindow(flags, Vector2(0, 0), Vector2(1, 1),
                                                 gameData->depositoryModels.holeTop, piecesWindow);
        if (holeBottomWindow != nullptr) {
            holeBottomWindow->SetLayer(HoleBottomLayer);
        }
        if (holeTopWindow != nullptr) {
            holeTopWindow->SetLayer(HoleTopLayer);
        }
    }
    carriage = std::make_unique<Carriage>(engine, gameData, piecesWindow);
    BuildPath();

    // The effects lie just in front of the pieces on the path.
    const float depth = (pieceManager->pieces.empty() || pieceManager->pieces[0]->GetSprite() == nullptr
                             ? piecesWindow->GetZ()
                             : pieceManager->pieces[0]->GetSprite()->GetZ()) -
                        EffectDepthStep;
    if (gameData->pathEffects.start != nullptr) {
        startEffect = particleSystems->CloneParticleSystem(*gameData->pathEffects.start);
        SetParticleSystemDepth(*startEffect, depth);
        const Vector2 start = GetPointAtDistance(0.0f);
        startEffect->emitterPosition = Vector3(start.x, start.y, 0.0f);
        ShowParticleSystem(*startEffect, !relax);
        startEffect->emitting = !relax;
    }
    if (gameData->pathEffects.finish != nullptr) {
        finishEffect = particleSystems->CloneParticleSystem(*gameData->pathEffects.finish);
        SetParticleSystemDepth(*finishEffect, depth);
        ShowParticleSystem(*finishEffect, false);
        finishEffect->emitting = false;
    }

    introFinished = relax;
    rush = relax ? 1350.0f : 400.0f;
    carriage->Show(false);
}

PuzzleDepository::~PuzzleDepository()
{
    for (ParticleSystem* system : {startEffect, finishEffect}) {
        if (system != nullptr && particleSystems->systems.Remove(system)) {
            delete system;
        }
    }
    carriage.reset();
    for (GUIWindow* window : {holeTopWindow, holeBottomWindow}) {
        if (guiManager->windows.Remove(window)) {
            delete window;
        }
    }
}

void PuzzleDepository::BuildPath()
{
    std::vector<Vector2> points;
    size_t count = gameData->pathModels.size();
    if (relax && count > 0) {
        --count;
    }
    for (size_t i = 0; i < count; ++i) {
        const Model* model = gameData->pathModels[i];
        if (model == nullptr) {
            continue;
        }
        // The marker's centre: where its box lies, whatever its size.
        points.emplace_back((model->box.localMin.x + model->box.localMax.x) * 0.5f,
                            (model->box.localMin.y + model->box.localMax.y) * 0.5f);
    }
    // A point on top of the previous one would make a segment of no length,
    // whose direction cannot be had.
    for (const Vector2& point : points) {
        if (pathPoints.empty()) {
            pathPoints.push_back(point);
            continue;
        }
        const Vector2 d(point.x - pathPoints.back().x, point.y - pathPoints.back().y);
        const float length = Length(d);
        if (!(length > Tolerance)) {
            continue;
        }
        pathPoints.push_back(point);
        segmentVectors.push_back(d);
        segmentLengths.push_back(length);
        pathLength += length;
        Plane line;
        const Vector2& from = pathPoints[pathPoints.size() - 2];
        line.SetFromPoints(Vector3(point.x, point.y, 0), Vector3(point.x, point.y, 1), Vector3(from.x, from.y, 0));
        segmentLines.push_back(line);
    }
    if (!(pathLength >= 1.0f)) {
        log->Fatal("The pieces' path has no length: the path models \"game_objects\\depository\\path_000.mlf\" "
                   "and the following give fewer than two distinct points");
    }
}

Vector2 PuzzleDepository::GetPointAtDistance(float distance) const
{
    if (segmentLengths.empty()) {
        return pathPoints.empty() ? Vector2() : pathPoints[0];
    }
    float earlier = 0.0f;
    for (size_t i = 0; i < segmentLengths.size(); ++i) {
        if (distance <= earlier + segmentLengths[i]) {
            const float t = (distance - earlier) / segmentLengths[i];
            return Vector2(pathPoints[i].x + segmentVectors[i].x * t, pathPoints[i].y + segmentVectors[i].y * t);
        }
        earlier += segmentLengths[i];
    }
    return pathPoints.back();
}

PathPosition PuzzleDepository::FindNearestDistance(const Vector2& point) const
{
    PathPosition result;
    float best = NoSegment;
    float earlier = 0.0f;
    for (size_t i = 0; i < segmentLengths.size(); ++i) {
        const Vector2& d = segmentVectors[i];
        const float length = segmentLengths[i];
        const float along = ((point.x - pathPoints[i].x) * d.x + (point.y - pathPoints[i].y) * d.y) / length;
        if (along >= 0.0f && along <= length) {
            const Plane& line = segmentLines[i];
            const float signedDistance = line.normal.x * point.x + line.normal.y * point.y + line.d;
            const float distance = std::fabs(signedDistance);
            if (distance < best) {
                best = distance;
                result.distance = earlier + along;
                result.side = signedDistance < 0.0f;
            }
        }
        earlier += length;
    }
    return result;
}

float PuzzleDepository::GetFreeRatio() const
{
    return freeLength / pathLength;
}

float PuzzleDepository::GetPathScale(const PuzzleElement& piece) const
{
    const Vector2& size = piece.GetSize();
    return std::min(slotSize.y / size.y, slotSize.x / size.x);
}

float PuzzleDepository::GetBaseSpeed() const
{
    const float r = GetFreeRatio();
    return (relax ? 40.0f : 8.0f) + 10.0f * Clamp01(r) + 10.0f * Clamp01(r - 0.8f) + 12.0f * Clamp01(r - 0.6f) +
           rush + fastForward;
}

void PuzzleDepository::AddPauseTime()
{
    const float r = GetFreeRatio();
    pauseTime += r > 0.9f ? 1.5f : r > 0.8f ? 3.5f : r > 0.6f ? 5.5f : 9.5f;
}

void PuzzleDepository::StartFinalRun()
{
    if (!carriage->IsShown()) {
        carriageDistance = 0.0f;
        carriage->Show(true);
    }
    finalRunActive = true;
    finalRunTime = 0.0f;
    finalRunStart = carriageDistance;
}

void PuzzleDepository::KeepPlaying(int32_t soundId)
{
    if (soundPlayer->GetSoundState(soundId) != SoundState::Playing) {
        soundPlayer->PlaySound(soundId);
    }
}

void PuzzleDepository::StopIfPlaying(int32_t soundId)
{
    if (soundPlayer->GetSoundState(soundId) == SoundState::Playing) {
        soundPlayer->StopSound(soundId);
    }
}

bool PuzzleDepository::RunIntroduction(bool paused, float dt)
{
    if (introFinished) {
        return false;
    }
    introTime += dt;
    const float t = std::max(introTime - 0.3f, 0.0f);
    float d = (std::min(160.0f * t, 750.0f) + 360.0f) * t;
    if (d > pathLength) {
        d = pathLength;
        if (startEffect != nullptr) {
            startEffect->emitting = false;
        }
        introFinished = true;
        StopIfPlaying(SoundPathIntroduction);
        soundPlayer->PlaySound(SoundPathIntroductionEnd);
    } else if (t > 0.15f) {
        soundPlayer->SetSoundTempo(SoundPathIntroduction, 1.0f + 0.55f * d / pathLength);
        if (paused) {
            StopIfPlaying(SoundPathIntroduction);
        } else {
            KeepPlaying(SoundPathIntroduction);
        }
    }
    if (startEffect != nullptr) {
        const Vector2 point = GetPointAtDistance(d);
        startEffect->emitterPosition = Vector3(point.x, point.y, 0.0f);
    }
    return true;
}

void PuzzleDepository::SinkCarriage()
{
    carriageDistance = std::min(carriageDistance, pathLength);
    const float sink = 1.0f - (pathLength - carriageDistance) / SinkLength;
    carriage->SetScale(1.0f - sink);
    if (sink + Tolerance > 1.0f) {
        carriage->Show(false);
        carriageSunk = true;
    }
}

void PuzzleDepository::RunFinalRun(bool paused, float dt)
{
    if (finishEffect != nullptr) {
        ShowParticleSystem(*finishEffect, true);
        finishEffect->emitting = true;
    }
    const float previous = carriageDistance;
    finalRunTime += dt;
    const float t = std::max(finalRunTime - 0.05f, 0.0f);
    carriageDistance = t * std::min(130.0f * t, 600.0f) + finalRunStart;
    if (carriageDistance > pathLength - SinkLength) {
        SinkCarriage();
    }
    if (carriageDistance < pathLength - Tolerance) {
        if (t > 0.15f) {
            if (paused) {
                StopIfPlaying(SoundChargePathScore);
            } else {
                KeepPlaying(SoundChargePathScore);
            }
        }
    } else {
        carriageDistance = pathLength;
        if (finishEffect != nullptr) {
            finishEffect->emitting = false;
        }
        finalRunFinished = true;
        finalRunActive = false;
        StopIfPlaying(SoundChargePathScore);
    }

    const Vector2 point = GetPointAtDistance(carriageDistance);
    for (uint32_t i = 0; i < MarkCount; ++i) {
        const float mark = static_cast<float>(i) * pathLength / static_cast<float>(MarkCount - 1);
        if (previous - Tolerance <= mark && mark <= carriageDistance + Tolerance) {
            const auto found = scoreKeeper->points.find(MarkScoreId);
            const int32_t points = (found == scoreKeeper->points.end() ? 0 : found->second) * scoreKeeper->multiplier;
            scoreKeeper->score += points;
            textManager->AddText(point.x, point.y, u"+" + IntToWideText(points));
        }
    }
    carriage->SetPosition(point);
    if (finishEffect != nullptr) {
        finishEffect->emitterPosition = Vector3(point.x, point.y, 0.0f);
    }
}

bool PuzzleDepository::ObstacleHit() const
{
    const Model* obstacle = gameData->depositoryModels.obstacle;
    GUICursor* cursor = guiManager->GetDefaultCursor();
    if (obstacle == nullptr || cursor == nullptr) {
        return false;
    }
    // The obstacle lies in the interface's units, seen by its orthographic
    // camera: the cursor's ray runs straight through the interface's depth
    // range, from its near plane to its far one.
    Ray ray;
    ray.origin = Vector3(cursor->position.x, cursor->position.y, GUIManager::CameraNear);
    ray.direction = Vector3(0.0f, 0.0f, GUIManager::CameraFar - GUIManager::CameraNear);
    return obstacle->IntersectRay(ray);
}

void PuzzleDepository::Sink(PuzzleElement& piece, float sink)
{
    piece.SetScale((1.0f - sink) * GetPathScale(piece));
}

void PuzzleDepository::MoveForward(bool paused, float step, float dt)
{
    if (carriage->IsShown() && !pieceManager->AllPlaced()) {
        carriageDistance += step;
        if (!relax && carriageDistance > pathLength - SinkLength) {
            reachedEnd = true;
            SinkCarriage();
        }
    }

    const float front = queue.empty() ? 0.0f : queue.back().distance;
    float previous = 0.0f;
    for (size_t i = 0; i < queue.size();) {
        float& distance = queue[i].distance;
        if (i == 0) {
            distance = carriage->IsShown() ? std::max(distance, carriageDistance + Spacing) : distance + step;
        } else {
            distance = std::max(distance, previous + Spacing);
        }
        previous = distance;
        if (relax) {
            distance = std::min(distance, pathLength);
        } else if (distance > pathLength - SinkLength) {
            reachedEnd = true;
            distance = std::min(distance, pathLength);
            const float sink = 1.0f - (pathLength - distance) / SinkLength;
            PuzzleElement& piece = *queue[i].piece;
            Sink(piece, sink);
            if (sink + Tolerance > 1.0f) {
                piece.Show(false);
                if (!failedSoundPlayed) {
                    failedSoundPlayed = true;
                    soundPlayer->PlaySound(SoundLevelFailed);
                    soundPlayer->StopMusic(LevelMusicChannel, 2.0f);
                }
                queue.erase(queue.begin() + static_cast<std::ptrdiff_t>(i));
                continue;
            }
        }
        ++i;
    }

    if (rush > 0.0f && !(reachedEnd && !relax)) {
        const float newFront = queue.empty() ? 0.0f : queue.back().distance;
        if (dt > 0.0f && std::fabs(front - newFront) / dt > 55.0f && !paused) {
            soundPlayer->SetSoundTempo(SoundPathBegin, rush <= 300.0f ? 1.0f - (1.0f - rush / 300.0f) * 0.6f : 1.0f);
            if (soundPlayer->GetSoundState(SoundPathBegin) != SoundState::Playing && pathBeginArmed) {
                soundPlayer->SetSoundLooping(true, SoundPathBegin);
                soundPlayer->PlaySound(SoundPathBegin);
                pathBeginArmed = false;
            }
            return;
        }
    }
    if (soundPlayer->GetSoundState(SoundPathBegin) == SoundState::Playing) {
        soundPlayer->SetSoundLooping(false, SoundPathBegin);
    }
}

void PuzzleDepository::MoveBackward(float step)
{
    if (!queue.empty()) {
        queue.back().distance += step;
        for (size_t i = queue.size() - 1; i-- > 0;) {
            queue[i].distance = std::min(queue[i].distance, queue[i + 1].distance - Spacing);
        }
    }
    if (carriage->IsShown()) {
        if (queue.empty()) {
            carriageDistance += step;
        } else {
            carriageDistance = std::min(carriageDistance, queue.front().distance - Spacing);
        }
    }
}

void PuzzleDepository::Tidy(float dt)
{
    for (size_t i = queue.size(); i-- > 1;) {
        if (queue[i - 1].distance > queue[i].distance - Spacing + Tolerance) {
            queue[i - 1].distance = queue[i].distance - Spacing;
        }
    }
    if (carriage->IsShown() && !queue.empty() && carriageDistance > queue.front().distance - Spacing + Tolerance) {
        carriageDistance = queue.front().distance - Spacing;
    }

    if (carriage->IsShown() && carriageDistance < 0.0f) {
        carriage->Show(false);
    }
    std::erase_if(queue, [](const QueueEntry& entry) {
        if (entry.distance < 0.0f) {
            entry.piece->Show(false);
            return true;
        }
        return false;
    });

    if (queue.empty() || queue.back().distance < 0.5f) {
        rollbackTime = backSpeed = pauseTime = brake = 0.0f;
    }

    if (!relax && !queue.empty() && !reachedEnd) {
        const float rear = carriage->IsShown() ? carriageDistance : queue.front().distance;
        freeLength = std::max(pathLength - Spacing * static_cast<float>(queue.size()) - rear, 0.0f);
        if (freeLength >= 450.0f) {
            warningTimer = 0.0f;
        } else {
            warningTimer -= dt;
            if (warningTimer < 0.0f) {
                soundPlayer->PlaySound(SoundPathWarning);
                warningTimer = freeLength / 180.0f + 0.7f;
            }
        }
    }
}

void PuzzleDepository::EnterPieces()
{
    while (queue.empty() || queue.front().distance >= Spacing) {
        PuzzleElement* candidate = nullptr;
        if (!reachedEnd) {
            for (const std::unique_ptr<PuzzleElement>& piece : pieceManager->pieces) {
                if (!piece->held && !piece->IsShown()) {
                    candidate = piece.get();
                    break;
                }
            }
        }
        if (candidate == nullptr) {
            if (!carriage->IsShown()) {
                carriageDistance = queue.empty() ? 0.0f : queue.front().distance - Spacing;
                carriage->Show(true);
            }
            return;
        }
        candidate->Show(true);
        candidate->SetColor(ColorRGBA(1, 1, 1, 1));
        candidate->ClearHighlights();
        const float distance = queue.empty() ? 0.0f : queue.front().distance - Spacing;
        queue.insert(queue.begin(), QueueEntry{candidate, distance});
        candidate->SetScale(1.0f);
        candidate->SetScale(GetPathScale(*candidate));
    }
}

void PuzzleDepository::PlacePieces()
{
    for (const QueueEntry& entry : queue) {
        entry.piece->SetPosition(GetPointAtDistance(entry.distance));
    }
    if (carriage->IsShown()) {
        carriage->SetPosition(GetPointAtDistance(carriageDistance));
    }
    if (failedSoundPlayed && soundPlayer->GetMusicState(LevelMusicChannel) != SoundState::Playing) {
        soundPlayer->PlayMusic(LevelMusicChannel, MusicGame0, 0.15f);
    }
}

void PuzzleDepository::Update(bool paused, float speed)
{
    const float dt = timers->frameStep;
    // Game time: a paused level stands still, but a lost one plays its end
    // out at full speed.
    const float gameDt = reachedEnd && !relax ? dt : dt * speed;

    if (RunIntroduction(paused, gameDt)) {
        return;
    }
    if (finalRunActive) {
        RunFinalRun(paused, gameDt);
        return;
    }

    const bool obstacleHit = controls->IsKeyPressed("MOUSE1") && !paused && ObstacleHit();

    const float v = GetBaseSpeed();
    if (reachedEnd && !relax) {
        rush = std::min(rush + std::max(1.9f * rush, 300.0f) * gameDt, 1300.0f);
        if (queue.empty()) {
            StopIfPlaying(SoundPathEnd);
        } else {
            soundPlayer->SetSoundTempo(SoundPathEnd, 1.0f + rush / 1600.0f);
            KeepPlaying(SoundPathEnd);
        }
    } else {
        rush = std::max(rush - std::max(0.7f * rush, 20.0f) * gameDt, 0.0f);
    }

    rollbackTime -= gameDt;
    if (rollbackTime > Tolerance) {
        backSpeed = std::min(backSpeed + gameDt * (0.9f * backSpeed + 50.0f), 160.0f);
    } else {
        rollbackTime = 0.0f;
        backSpeed = std::max(backSpeed - gameDt * (0.6f * backSpeed + 30.0f), 0.0f);
    }
    pauseTime -= gameDt;
    if (pauseTime > Tolerance) {
        brake = std::min(brake + gameDt * (0.9f * brake + 50.0f), v);
    } else {
        pauseTime = 0.0f;
        brake = std::max(brake - gameDt * (0.6f * brake + 30.0f), 0.0f);
    }
    const float step = gameDt * (v - backSpeed - std::max(brake - backSpeed, 0.0f));

    if (step > 0.0f) {
        MoveForward(paused, step, dt);
    } else {
        MoveBackward(step);
    }
    Tidy(gameDt);
    if (carriageSunk) {
        return;
    }
    EnterPieces();
    PlacePieces();
    if (reachedEnd) {
        return;
    }
    RunPlayerActions(paused, dt, obstacleHit);
    if (GUIWindow* window = carriage->GetWindow()) {
        window->SetColor(ColorRGBA(1, 1, 1, speed));
    }
}

} // namespace ActionPuzzle
