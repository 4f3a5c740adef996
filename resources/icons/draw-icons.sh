#!/usr/bin/env bash
# Draws the toolbar and tree images with ImageMagick. The PNGs are committed; run this only
# to change them.
set -euo pipefail
cd "$(dirname "$0")"
c() { convert -size "$1" xc:none "${@:3}" "PNG32:$2"; }

# Tree images, 16 x 16.
c 16x16 picRadio.png -fill '#2f3a45' -draw 'roundrectangle 4,4 11,15 2,2' \
    -fill '#2f3a45' -draw 'rectangle 9,0 10,4' \
    -fill '#9fd3a8' -draw 'rectangle 5,6 10,8' \
    -fill '#c8c8c8' -draw 'rectangle 5,10 6,11' -draw 'rectangle 8,10 9,11' \
    -draw 'rectangle 5,13 6,13' -draw 'rectangle 8,13 9,13'
c 16x16 picGlobe.png -fill '#3d7fd1' -stroke '#1f4f8f' -draw 'circle 7.5,7.5 7.5,1' \
    -fill none -stroke '#cfe3ff' -draw 'ellipse 7.5,7.5 3,6.5 0,360' \
    -draw 'line 1,7.5 14,7.5' -draw 'line 2,4 13,4' -draw 'line 2,11 13,11'
c 16x16 picGroups.png -fill '#d9a520' -stroke '#8a6410' \
    -draw 'rectangle 4,1 14,7' -draw 'rectangle 2,5 12,11' -draw 'rectangle 0,9 10,15'
c 16x16 picFolderClosed.png -fill '#e8b830' -stroke '#8a6410' \
    -draw 'polygon 0,3 5,3 6,5 15,5 15,14 0,14'
c 16x16 picFolderOpen.png -fill '#c99a20' -stroke '#8a6410' \
    -draw 'polygon 0,3 5,3 6,5 13,5 13,8 0,8' \
    -fill '#f5d060' -draw 'polygon 0,14 3,7 15,7 12,14'

# Toolbar images, 24 x 24.
c 24x24 tbOpen.png -fill '#c99a20' -stroke '#8a6410' \
    -draw 'polygon 1,5 8,5 10,8 19,8 19,12 1,12' \
    -fill '#f5d060' -draw 'polygon 1,21 5,11 23,11 19,21' \
    -fill '#2e8b3d' -stroke none -draw 'polygon 15,1 21,1 21,7 19,5 16,8 14,6 17,3'
c 24x24 tbSave.png -fill '#2f5f9f' -stroke '#1d3c66' -draw 'roundrectangle 2,2 21,21 2,2' \
    -fill '#ffffff' -stroke none -draw 'rectangle 6,3 17,10' \
    -fill '#c8c8c8' -draw 'rectangle 7,14 16,21' -fill '#2f5f9f' -draw 'rectangle 13,15 15,20'
c 24x24 tbRead.png -fill '#2f3a45' -draw 'roundrectangle 2,3 9,21 2,2' -draw 'rectangle 6,0 7,3' \
    -fill '#9fd3a8' -draw 'rectangle 3,6 8,9' \
    -fill '#2e8b3d' -draw 'polygon 11,10 17,10 17,6 23,12 17,18 17,14 11,14'
c 24x24 tbWrite.png -fill '#2f3a45' -draw 'roundrectangle 14,3 21,21 2,2' -draw 'rectangle 18,0 19,3' \
    -fill '#9fd3a8' -draw 'rectangle 15,6 20,9' \
    -fill '#c0392b' -draw 'polygon 1,10 7,10 7,6 13,12 7,18 7,14 1,14'
c 24x24 tbTune.png -fill '#dddddd' -stroke '#555555' -strokewidth 1.5 -draw 'circle 12,12 12,2' \
    -fill '#555555' -stroke none -draw 'circle 12,12 12,9' \
    -stroke '#c0392b' -strokewidth 2.5 -draw 'line 12,12 18,5' \
    -stroke '#555555' -strokewidth 1 -draw 'line 3,12 5,12' -draw 'line 19,12 21,12' -draw 'line 12,3 12,5'
c 24x24 tbHelp.png -fill '#3d7fd1' -stroke '#1f4f8f' -draw 'circle 12,12 12,1' \
    -fill none -stroke white -strokewidth 2.5 -draw 'arc 8,5 16,13 180,40' \
    -draw 'line 14.8,11.5 12,14' -draw 'line 12,14 12,16' \
    -fill white -stroke none -draw 'circle 12,19 12,17.6'
c 24x24 tbExit.png -fill '#8b5a2b' -stroke '#5a3a1a' -draw 'rectangle 4,2 15,22' \
    -fill '#f0e0c0' -stroke none -draw 'rectangle 6,4 13,20' \
    -fill '#c0392b' -draw 'polygon 10,10 16,10 16,7 22,12 16,17 16,14 10,14'
