#!/bin/sh
# media-corpus.sh FOLDER
# Makes the photos, songs and videos the media tests read, with ImageMagick,
# libheif's encoder, ffmpeg and ExifTool, into FOLDER (emptied first), and
# beside each what ExifTool reads of it (X.args), the truth the tests hold
# ReadMediaFields to. Nothing is downloaded; every tool comes from
# cmake/deps.sh, so a missing one is a failure.
set -eu
out=$1
for tool in convert exiftool ffmpeg heif-enc; do
  command -v "$tool" >/dev/null || { echo "media-corpus: $tool is missing (cmake/deps.sh installs it)" >&2; exit 1; }
done
rm -rf "$out"
mkdir -p "$out"
cd "$out"
log=corpus.log
: >$log
run() { "$@" >>$log 2>&1 || { cat $log >&2; echo "media-corpus: failed: $*" >&2; exit 1; }; }
tag() { run exiftool -q -overwrite_original "$@"; }

# --- Photos: a few pixels each, then Exif (and XMP) written by ExifTool.
photo() {  # name size then ExifTool's arguments
  name=$1 size=$2; shift 2
  run convert -size "$size" xc:red "$name"
  [ $# -eq 0 ] || tag "$@" "$name"
}
photo full.jpg 8x6 "-DateTimeOriginal=2021:05:01 10:20:30" -Make=Canon "-Model=Canon EOS R5" \
  "-LensModel=RF24-105mm F4 L IS USM" -ISO=400
photo full.png 9x7 "-DateTimeOriginal=2019:12:31 23:59:59" "-Make=NIKON CORPORATION" "-Model=NIKON Z 6" \
  "-LensModel=NIKKOR Z 24-70mm f/4 S" -ISO=6400
photo full.webp 10x8 "-DateTimeOriginal=2020:02:29 12:00:00" -Make=FUJIFILM -Model=X-T4 "-LensModel=XF16-80mmF4 R OIS WR" \
  -ISO=160
photo full.tif 11x9 "-DateTimeOriginal=1999:01:02 03:04:05" -Make=SONY -Model=ILCE-7M3 "-LensModel=FE 24-105mm F4 G OSS" \
  -ISO=100
# HEIF and AVIF as a phone writes them: libheif's encoder carries a JPEG's
# Exif over as an item of its own. (ExifTool adds Exif to a HEIF file in a
# form Exiv2 0.27 does not follow, through the item's base offset.)
heif() {  # name size then ExifTool's arguments
  heif_name=$1; shift
  photo "$heif_name.jpg" "$@"
  run heif-enc -q 50 "$heif_name.jpg" -o "$heif_name"
  rm "$heif_name.jpg"
}
heif full.heic 128x96 "-DateTimeOriginal=2022:07:14 08:09:10" -Make=Apple "-Model=iPhone 13" \
  "-LensModel=iPhone 13 back camera 5.1mm f/1.6" -ISO=50
heif full.avif 96x64 "-DateTimeOriginal=2023:03:04 05:06:07" -Make=Google "-Model=Pixel 7" -ISO=64
# Greek and Japanese in Exif's ASCII tags, written as UTF-8 (as phones do); padded make.
photo utf8.jpg 8x6 "-DateTimeOriginal=2018:08:08 08:08:08" "-Make=Ελληνική  " "-Model=カメラ 東京" "-LensModel=Φακός 50mm"
# The date only in XMP; then only the digitizing date; then a date no calendar holds.
photo xmp-date.jpg 8x6 "-XMP-exif:DateTimeOriginal=2017:06:05 04:03:02+02:00" -Make=Olympus
photo digitized.jpg 8x6 "-CreateDate=2016:01:02 03:04:05" -Model=Scanner
photo bad-date.jpg 8x6 "-DateTimeOriginal=2021:02:30 10:00:00" -Make=Canon -ISO=200
photo zero-date.tif 8x6 "-DateTimeOriginal#=0000:00:00 00:00:00" -Make=Canon
# Nothing but pixels.
photo bare.jpg 16x9
photo bare.png 7x5
# A JPEG whose extension says PNG: the bytes decide.
photo misnamed.jpg 8x6 "-DateTimeOriginal=2015:05:05 05:05:05"
mv misnamed.jpg misnamed.png

# --- Songs: a tenth of a second of silence with tags written by ffmpeg.
song() {  # name then ffmpeg's output options
  name=$1; shift
  run ffmpeg -nostdin -y -loglevel error -f lavfi -i anullsrc=r=44100:cl=mono -t 0.1 "$@" "$name"
}
song id3v23.mp3 -id3v2_version 3 -metadata "artist=Μίκης Θεοδωράκης" -metadata "album_artist=Ορχήστρα" \
  -metadata "album=Ζορμπάς" -metadata "title=Συρτάκι" -metadata "genre=Λαϊκό" -metadata track=3/12 \
  -metadata disc=1/2 -metadata date=1964
song id3v24.mp3 -id3v2_version 4 -metadata "artist=坂本龍一" -metadata "album_artist=YMO" \
  -metadata "album=戦場のメリークリスマス" -metadata "title=メインテーマ" -metadata "genre=Soundtrack" \
  -metadata track=7 -metadata disc=2 -metadata date=1983
song latin1.mp3 -id3v2_version 3 -metadata "artist=Plain ASCII" -metadata "title=Café" -metadata track=11/20 \
  -metadata date=2001
song tags.m4a -c:a aac -metadata "artist=Björk" -metadata "album_artist=Björk" -metadata "album=Homogenic" \
  -metadata "title=Jóga" -metadata "genre=Electronic" -metadata track=3/10 -metadata disc=1/1 -metadata date=1997
song tags.flac -metadata "artist=Καζαντζίδης" -metadata "album_artist=Various" -metadata "album=Τα τραγούδια" \
  -metadata "title=Υπάρχω" -metadata "genre=Λαϊκό" -metadata track=5/14 -metadata disc=1/3 -metadata date=1975
song tags.ogg -c:a libvorbis -metadata "artist=久石譲" -metadata "album_artist=久石譲" -metadata "album=となりのトトロ" \
  -metadata "title=風のとおり道" -metadata "genre=Anime" -metadata track=4 -metadata disc=1 -metadata date=1988
song tags.opus -c:a libopus -metadata "artist=Opus Artist" -metadata "album_artist=Opus Band" -metadata "album=Opus" \
  -metadata "title=Ωδή" -metadata "genre=Jazz" -metadata track=9/9 -metadata disc=2/2 -metadata date=2012
song bare.mp3
song bare.flac

# --- Videos: a tenth of a second, recorded "at" a given UTC moment, with tags.
video() {  # name creation-time then more options
  name=$1 when=$2; shift 2
  run ffmpeg -nostdin -y -loglevel error -f lavfi -i color=c=red:s=16x16:d=0.1 -c:v mpeg4 \
    -metadata "creation_time=$when" "$@" "$name"
}
video clip.mp4 2020-07-04T12:34:56Z -metadata "title=Φωτιές" -metadata "artist=Κάμερα"
video clip.mov 2010-01-15T23:30:00Z
video clip.3gp 2005-06-30T00:15:00Z -s 176x144

# What ExifTool reads of each file, beside it in X.args: a line
# "-Group:Tag=value" for each tag, with the groups' names (-G1) and numbers as
# numbers (-n).
files=$(ls | grep -v '^corpus.log$')
# shellcheck disable=SC2086
exiftool -q -args -n -G1 -charset filename=utf8 -w %d%f.%e.args $files 2>>$log || { cat $log >&2; exit 1; }
echo "media-corpus: $(echo "$files" | wc -w) files in $out"
