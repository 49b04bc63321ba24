# Sound effects and music, synthesised by tools/synth into data/audio/.
#
# The synthesiser works through millions of samples; it is optimised even in
# the debug and sanitizer builds so that the data build stays quick. Each tune
# is its own step, so that a parallel build renders them side by side.

target_compile_options(synth PRIVATE -O2)

set(audio_root ${TANGROVE_DATA_STAGE}/data)
tangrove_data_step(audio_effects
  COMMAND synth ${audio_root} effects
  DEPENDS synth)
foreach(track menu game0 game1)
  tangrove_data_step(audio_music_${track}
    COMMAND synth ${audio_root} music/${track}
    DEPENDS synth)
endforeach()
