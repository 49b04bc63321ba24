// The player's actions on the path, the last step of the path's update:
// picking a piece from the queue with the left button, putting the held
// piece back beside the path with the left button or at the rear of the
// queue with the right one, and the fast-forward of the right button held
// with an empty hand.
#include <algorithm>
#include <cmath>

#include "engine/Engine.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "framework/SoundPlayer.h"
#include "game/common/SoundId.h"
#include "game/gameplay/Carriage.h"
#include "game/gameplay/PuzzleDepository.h"
#include "game/gameplay/PuzzleElement.h"
#include "game/gameplay/PuzzleElementManager.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;

namespace {

constexpr float Tolerance = 0.0001f;
// The grab keeps the piece nearly centred on the cursor: the offset is at
// most this share of the path slot's diagonal.
constexpr float GrabShare = 0.18f;
constexpr float FastForwardDelay = 0.5f;
constexpr float FastForwardMaximum = 300.0f;

} // namespace

PuzzleElement* PuzzleDepository::FindHeldPiece() const
{
    for (const std::unique_ptr<PuzzleElement>& piece : pieceManager->pieces) {
        if (PuzzleElementManager::IsHeld(*piece)) {
            return piece.get();
        }
    }
    return nullptr;
}

// The gaps of the queue from the rear: behind the rearmost piece (down to
// the cart, or 60 before the start), between neighbours, and ahead of the
// foremost (to 60 beyond the end).
bool PuzzleDepository::FindDropPlace(float dropDistance, size_t& index, float& distance) const
{
    if (queue.empty()) {
        // Behind the cart is no place on the path.
        if (carriage->IsShown() && dropDistance < carriageDistance) {
            return false;
        }
        index = 0;
        distance = dropDistance;
        return true;
    }
    for (size_t gap = 0; gap <= queue.size(); ++gap) {
        const float a = gap == 0 ? (carriage->IsShown() ? carriageDistance : -Spacing) : queue[gap - 1].distance;
        const float b = gap == queue.size() ? pathLength + Spacing : queue[gap].distance;
        if (a <= dropDistance && dropDistance <= b && b - a + Tolerance > 2 * Spacing) {
            index = gap;
            distance = dropDistance;
            if (distance - a < Spacing - Tolerance) {
                distance = a + Spacing;
            } else if (b - distance < Spacing - Tolerance) {
                distance = b - Spacing;
            }
            return true;
        }
    }
    return false;
}

bool PuzzleDepository::FindReturnPlace(size_t& index, float& distance) const
{
    if (queue.empty()) {
        if (!carriage->IsShown()) {
            index = 0;
            distance = 0.0f;
            return true;
        }
        if (pathLength - carriageDistance + Tolerance > Spacing) {
            index = 0;
            distance = carriageDistance + Spacing;
            return true;
        }
        return false;
    }
    for (size_t gap = 0; gap <= queue.size(); ++gap) {
        const float a = gap == 0 ? (carriage->IsShown() ? carriageDistance : -Spacing) : queue[gap - 1].distance;
        const float b = gap == queue.size() ? pathLength + Spacing : queue[gap].distance;
        if (b - a + Tolerance > 2 * Spacing) {
            index = gap;
            distance = a + Spacing;
            return true;
        }
    }
    return false;
}

void PuzzleDepository::PutOnPath(PuzzleElement& piece, size_t index, float distance)
{
    queue.insert(queue.begin() + static_cast<std::ptrdiff_t>(index), QueueEntry{&piece, distance});
    piece.SetScale(1.0f);
    piece.SetScale(GetPathScale(piece));
    piece.SetPosition(GetPointAtDistance(distance));
}

void PuzzleDepository::RunPlayerActions(bool paused, float dt, bool obstacleHit)
{
    const Vector2 cursor = guiManager->GetDefaultCursor() != nullptr ? guiManager->GetDefaultCursor()->position
                                                                     : Vector2();
    PuzzleElement* const heldBefore = FindHeldPiece();
    PuzzleElement* held = heldBefore;
    // A request is for the piece in the hand; none may wait for the next.
    if (held == nullptr) {
        returnRequested = false;
    }

    if (held == nullptr && controls->IsKeyPressed("MOUSE1") && !obstacleHit && !paused) {
        for (size_t i = 0; i < queue.size(); ++i) {
            PuzzleElement& piece = *queue[i].piece;
            if (!piece.ContainsPoint(cursor)) {
                continue;
            }
            // No one else in this frame sees the click that took the piece.
            controls->SetInputLock(true);
            queue.erase(queue.begin() + static_cast<std::ptrdiff_t>(i));
            piece.held = true;
            held = &piece;
            grabOffset = Vector2(piece.centre.x - cursor.x, piece.centre.y - cursor.y);
            const float length = std::sqrt(grabOffset.x * grabOffset.x + grabOffset.y * grabOffset.y);
            if (length > 1.0f) {
                const float diagonal = std::sqrt(slotSize.x * slotSize.x + slotSize.y * slotSize.y);
                const float limited = std::min(length, GrabShare * diagonal);
                grabOffset = Vector2(grabOffset.x * limited / length, grabOffset.y * limited / length);
            }
            soundPlayer->PlaySound(SoundElementGet);
            break;
        }
    }

    PathPosition nearest;
    float offset = 0.0f;
    if (held != nullptr) {
        nearest = FindNearestDistance(held->centre);
        const Vector2 point = GetPointAtDistance(nearest.distance);
        offset = std::hypot(held->centre.x - point.x, held->centre.y - point.y);
        heldPieceSideDistance = nearest.side ? offset : 0.0f;
    }

    bool putBack = false;
    if (held != nullptr && controls->IsKeyPressed("MOUSE1") && !obstacleHit && offset < DropReach && !paused) {
        size_t index = 0;
        float distance = 0.0f;
        if (FindDropPlace(nearest.distance, index, distance)) {
            PutOnPath(*held, index, distance);
            putBack = true;
        }
    }

    if (held != nullptr && !putBack && (controls->IsKeyPressed("MOUSE2") || returnRequested) && !paused) {
        returnRequested = false;
        if (relax) {
            if (carriage->IsShown()) {
                PutOnPath(*held, 0, carriageDistance);
                carriageDistance -= Spacing;
                if (carriageDistance < 0.0f) {
                    carriage->Show(false);
                }
                putBack = true;
            } else {
                // Back among the pieces still to come; it enters again at
                // the start of the path.
                held->Show(false);
                held->SetScale(1.0f);
                held->SetScale(GetPathScale(*held));
                putBack = true;
            }
        } else {
            size_t index = 0;
            float distance = 0.0f;
            if (FindReturnPlace(index, distance)) {
                PutOnPath(*held, index, distance);
                putBack = true;
            }
        }
    }
    if (putBack) {
        held->held = false;
        held = nullptr;
        soundPlayer->PlaySound(SoundElementCancel);
    }

    // The fast-forward follows the right button only while the hand was
    // empty at the start of these actions, so that the right click that
    // returns a piece never speeds the queue.
    if (heldBefore == nullptr) {
        if (controls->IsKeyPressed("MOUSE2")) {
            fastForwardArmed = true;
            fastForwardHeldTime = 0.0f;
        }
        if (fastForwardArmed) {
            if (controls->IsKeyDown("MOUSE2")) {
                fastForwardHeldTime += dt;
            } else {
                fastForwardArmed = false;
            }
        }
    }
    if (fastForwardArmed && fastForwardHeldTime > FastForwardDelay) {
        fastForward = std::min(fastForward + std::max(2.8f * fastForward, 200.0f) * dt, FastForwardMaximum);
    } else if (!fastForwardArmed) {
        fastForward = std::max(fastForward - std::max(5.0f * rush, 380.0f) * dt, 0.0f);
    }
}

} // namespace ActionPuzzle
