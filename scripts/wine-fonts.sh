# Sourced by the scripts that run Orvanta in a Wine prefix of their own.
# The caption buttons are drawn with Wine's font "Marlett" (Debian's
# fonts-wine, installed by setup.sh), which this Wine does not find where
# fonts-wine puts it (/usr/share/wine/fonts): without it the buttons show
# the letters "0", "1" and "r". A copy in the prefix's Fonts folder is
# found. Only that one: with Wine's other fonts (its "MS Sans Serif" among
# them) the labels of the main dialog come out wider and are cut off.
# Needs WINEPREFIX, after the prefix is made.
wine_fonts_into_prefix() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
}
