#include "game/common/SoundId.h"

namespace ActionPuzzle {

const GameSoundFile GameSoundFiles[SoundCount] = {
    {SoundWindowAppear, "menu", "window_appear", false},
    {SoundWindowDisappear, "menu", "window_disappear", false},
    {SoundVolumeSlider, "menu", "volume_slider", true},
    {SoundUpgrade, "menu", "upgrade", false},
    {SoundChargeScore, "menu", "charge_score", true},
    {SoundLevelBegin, "game", "level_begin", false},
    {SoundLevelComplete, "game", "level_complete", false},
    {SoundLevelFailed, "game", "level_failed", false},
    {SoundElementGet, "game", "element_get", false},
    {SoundElementPut0, "game", "element_put_0", false},
    {SoundElementPut1, "game", "element_put_1", false},
    {SoundElementPut2, "game", "element_put_2", false},
    {SoundElementPut3, "game", "element_put_3", false},
    {SoundElementPut4, "game", "element_put_4", false},
    {SoundElementPutBad, "game", "element_put_bad", false},
    {SoundElementCancel, "game", "element_cancel", false},
    {SoundBonusTip, "game", "bonus_tip", false},
    {SoundBonusMagnet, "game", "bonus_magnet", false},
    {SoundBonusTipApply, "game", "bonus_tip_apply", false},
    {SoundBonusMagnetApply, "game", "bonus_magnet_apply", false},
    {SoundBonusPauseApply, "game", "bonus_pause_apply", false},
    {SoundBonusRollbackApply, "game", "bonus_rollback_apply", false},
    {SoundPathIntroduction, "game", "path_introduction", true},
    {SoundPathIntroductionEnd, "game", "path_introduction_end", false},
    {SoundPathBegin, "game", "path_begin", true},
    {SoundPathEnd, "game", "path_end", true},
    {SoundPathWarning, "game", "path_warning", false},
    {SoundChargePathScore, "game", "charge_path_score", true},
    {SoundTotemFlip, "game", "totem_flip", false},
    {SoundTotemComplete, "game", "totem_complete", false},
};

} // namespace ActionPuzzle
