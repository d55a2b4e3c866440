#!/usr/bin/env bash
# Screenshots, PNG frame files and recordings of headless runs, checked with
# the tools a user has: ImageMagick's compare for the pictures, ffprobe and
# ffmpeg for the recordings (sizes, 50 frames a second, frame count, sound
# rate, duration, and the lossless file's frames and sound against the
# frame files and the --audio file of the same run).
# Usage: record_test.sh PROGRAM
set -u
program=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
unset XDG_PICTURES_DIR
fail() {
  echo "FAIL: $*"
  exit 1
}
same_picture() {   # A B: pixel for pixel
  local d
  d=$(compare -metric AE "$1" "$2" null: 2>&1) || true
  [ "$d" = "0" ] || fail "$1 and $2 differ ($d pixels)"
}
probe() {   # FILE STREAM ENTRIES
  ffprobe -v error -select_streams "$2" -count_frames -show_entries "stream=$3" -of default=noprint_wrappers=1 "$1"
}
format_duration() {
  ffprobe -v error -show_entries format=duration -of default=noprint_wrappers=1:nokey=1 "$1"
}

# A scripted F12 writes the frame it follows (frame 200: the start-up shows
# its pictures without reading keys), the one --dump-frames numbers
# the same; PNG frame files hold the same pictures as the PPM ones.
cd "$tmp" || exit 1
"$program" --headless --frames 210 --keys 200:F12 --capture-dir shots --dump-frames=ppm >out 2>err ||
  fail "screenshot run: status $? ($(cat err))"
shot=$(grep -m1 '^shots/qorn7316-[0-9]\{8\}-[0-9]\{6\}-[0-9]\{3\}\.png$' out)
[ -n "$shot" ] || fail "no screenshot path printed: $(cat out)"
[ "$(ls shots | wc -l)" = 1 ] || fail "one screenshot wanted: $(ls shots)"
same_picture "$shot" ppm/frame-00200.ppm
"$program" --headless --frames 210 --dump-frames=png/f.png >/dev/null 2>err || fail "PNG frames: status $? ($(cat err))"
[ -f png/f-00210.png ] && [ ! -e png/f-00211.png ] || fail "PNG frame files: $(ls png | tail -n 2)"
same_picture png/f-00001.png ppm/frame-00001.ppm
same_picture png/f-00200.png ppm/frame-00200.ppm
"$program" --headless --frames 3 --dump-frames=png2 --dump-format png >/dev/null 2>&1 && [ -f png2/frame-00003.png ] ||
  fail "--dump-format png"
"$program" --headless --frames 3 --dump-frames=x.png --dump-format ppm >/dev/null 2>&1
[ $? = 2 ] || fail "a .png name with --dump-format ppm is a usage error"

# Recordings of 160 frames: 3.2 s at 50 frames a second, the last 63 with music.
frames=160
"$program" --headless --frames $frames --record r.mkv --audio r.wav --dump-frames=rec >/dev/null 2>err ||
  fail "mkv run: status $? ($(cat err))"
"$program" --headless --frames $frames --scale 2 --record r.mp4 >/dev/null 2>err || fail "mp4 run: status $? ($(cat err))"
"$program" --headless --frames $frames --scale 3 --record r.webm >/dev/null 2>err || fail "webm run: status $? ($(cat err))"
for f in r.mkv r.mp4 r.webm; do
  case $f in
    *.mkv) size=256; codecs="ffv1 flac"; rate=44100 ;;
    *.mp4) size=512; codecs="h264 aac"; rate=44100 ;;
    *.webm) size=768; codecs="vp9 opus"; rate=48000 ;;   # Opus has no 44100 Hz
  esac
  video=$(probe "$f" v "codec_name,width,height,r_frame_rate,nb_read_frames" | tr '\n' ' ')
  [ "$video" = "codec_name=${codecs% *} width=$size height=$size r_frame_rate=50/1 nb_read_frames=$frames " ] ||
    fail "$f picture: $video"
  audio=$(probe "$f" a "codec_name,sample_rate,channels" | tr '\n' ' ')
  [ "$audio" = "codec_name=${codecs#* } sample_rate=$rate channels=1 " ] || fail "$f sound: $audio"
  # The file lasts the frames to within one frame (the lossy sound coders
  # round up to their own blocks).
  d=$(format_duration "$f")
  awk -v d="$d" -v n=$frames 'BEGIN { exit !(d >= n / 50 - 0.0005 && d < n / 50 + 0.02) }' || fail "$f lasts $d s"
  ffmpeg -v error -i "$f" -f s16le -ac 1 -ar $rate "$f.raw" || fail "$f does not decode"
  values=$(($(stat -c %s "$f.raw") / 2))
  want=$((frames * rate / 50))
  [ "$values" -ge $want ] && [ "$values" -le $((want + 1024)) ] || fail "$f holds $values sound values, want $want"   # AAC: whole blocks of 1024
done

# The lossless file: exactly 882 values a frame, every frame as dumped, and
# value for value the sound of the --audio file of the same run.
[ "$(stat -c %s r.mkv.raw)" = $((frames * 882 * 2)) ] || fail "r.mkv: $(stat -c %s r.mkv.raw) bytes of sound"
for n in 1 100 $frames; do
  ffmpeg -v error -i r.mkv -vf "select=eq(n\,$((n - 1)))" -frames:v 1 -y "frame$n.png" || fail "r.mkv frame $n"
  same_picture "frame$n.png" "rec/frame-$(printf %05d $n).ppm"
done
tail -c +45 r.wav >wav.raw
cmp r.mkv.raw wav.raw || fail "the recording's sound is not the --audio file's"
cmp -s r.mkv.raw /dev/zero -n $((frames * 1764)) && fail "the recording is silent"

# Failures: an unknown kind of file is a failure before the run, a full
# disk one at the end.
"$program" --headless --frames 3 --record r.avi >/dev/null 2>err
[ $? = 1 ] && grep -q 'must end in .mkv, .mp4 or .webm' err || fail "r.avi: $(cat err)"
if [ -w /dev/full ]; then
  ln -s /dev/full full.mkv
  "$program" --headless --frames 50 --record full.mkv >/dev/null 2>err
  [ $? = 1 ] && grep -q 'full.mkv' err || fail "a full disk: status 1 wanted ($(cat err))"
fi
echo "screenshots and recordings: all checks passed"
