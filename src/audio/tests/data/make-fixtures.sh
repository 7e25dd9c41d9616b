#!/usr/bin/env bash
# Makes the decoder test fixtures in this folder. Needs sox, ffmpeg and vorbis-tools
# (oggenc, oggdec); the results are committed, so the build and the tests need none
# of them. Run it again only to change the fixtures.
#
#   sweep11k.aif     AIFF, 16-bit big-endian mono, 11 025 Hz, 11 025 frames (22 050 data bytes)
#   sweep11k.wav     the same samples as little-endian WAVE: the reference for sweep11k.aif
#   sweep22k.wav     the same sweep made directly at 22 050 Hz, then 30 frames of silence (22 080)
#   ima22k.aif       AIFC ima4 at 22 050 Hz made from sweep22k.wav: 345 packets
#   ima22k.ref.wav   ffmpeg's decode of ima22k.aif
#   ima11k.aif       AIFC ima4 at 11 025 Hz made from sweep11k.wav
#   ima11k.ref.wav   ffmpeg's decode of ima11k.aif (11 025 Hz)
#   vorbis22k.ogg    Ogg Vorbis, mono, 22 050 Hz, from sweep22k.wav
#   vorbis22k.ref.wav  oggdec's decode of vorbis22k.ogg
#   vorbis44k.ogg    Ogg Vorbis, mono, 44 100 Hz: the same sweep made at 44 100 Hz, padded to 44 160 frames
#   narration5s.ogg  five seconds of a soft tone, mono, 22 050 Hz (playback clock tests)
#   stereo22k.ogg    Ogg Vorbis, two channels (440 Hz left, 660 Hz right), 22 050 Hz, 4 410 frames
#   stereo22k.ref.wav  oggdec's decode of stereo22k.ogg, both channels
#   vorbis48k.ogg    Ogg Vorbis, mono, 48 000 Hz: a rate the player refuses
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# One sweep from 200 Hz to 2 kHz over one second, at three rates, padded with silence
# to a length in frames (22 080 frames are 345 ima4 packets). sox takes the rate from
# the input side of -n, so "Ns" lengths count samples at that rate.
sweep() {  # rate frames out
  sox -r "$1" -c 1 -n -b 16 "$3" synth "$1s" sine 200-2000 vol 0.5 pad 0 "$(( $2 - $1 ))s"
}

sweep 11025 11025 "$tmp/s11.wav"
sweep 22050 22080 sweep22k.wav
sweep 44100 44160 "$tmp/s44.wav"

sox "$tmp/s11.wav" -b 16 -B sweep11k.aif
sox sweep11k.aif -b 16 -L sweep11k.wav

ffmpeg -v error -y -i sweep22k.wav -c:a adpcm_ima_qt ima22k.aif
ffmpeg -v error -y -i ima22k.aif -c:a pcm_s16le ima22k.ref.wav
ffmpeg -v error -y -i "$tmp/s11.wav" -c:a adpcm_ima_qt ima11k.aif
ffmpeg -v error -y -i ima11k.aif -c:a pcm_s16le ima11k.ref.wav

oggenc -Q -q 2 -o vorbis22k.ogg sweep22k.wav
oggdec -Q -b 16 -e 0 -s 1 -o vorbis22k.ref.wav vorbis22k.ogg
oggenc -Q -q 2 -o vorbis44k.ogg "$tmp/s44.wav"

sox -r 22050 -c 1 -n -b 16 "$tmp/n5.wav" synth 5 sine 330 vol 0.3 fade 0.05 5 0.05
oggenc -Q -q 0 -o narration5s.ogg "$tmp/n5.wav"

sox -r 22050 -n -b 16 "$tmp/st.wav" synth 4410s sine 440 sine 660 vol 0.4 channels 2
oggenc -Q -q 2 -o stereo22k.ogg "$tmp/st.wav"
oggdec -Q -b 16 -e 0 -s 1 -o stereo22k.ref.wav stereo22k.ogg
sox -r 48000 -c 1 -n -b 16 "$tmp/r48.wav" synth 0.1 sine 500 vol 0.4
oggenc -Q -q 0 -o vorbis48k.ogg "$tmp/r48.wav"

ls -l
