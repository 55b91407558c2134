# The Debian packages the project needs, sourced by the run, test and package commands.
# libzxing-dev finds and decodes an invoice's QR code, libpoppler-qt6-dev draws a PDF invoice's
# pages for it; qt6-tools-dev: the Qt6LinguistTools CMake package; qt6-l10n-tools: its lupdate
# and lrelease, which compile translations/vantrel_uk.ts into the program.
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev libzxing-dev libpoppler-qt6-dev
    qt6-tools-dev qt6-l10n-tools)
RUN_PACKAGES=(libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins qt6-translations-l10n
    fonts-liberation xdg-utils libzxing2 libpoppler-qt6-3)
# poppler-utils: pdftotext reads back the PDFs of the blank.
TEST_PACKAGES=(libgtest-dev libgmock-dev clang-format unrtf poppler-utils desktop-file-utils
    appstream shared-mime-info)
BENCH_PACKAGES=(libbenchmark-dev)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# dpkg-shlibdeps finds the package's dependencies; it needs file to tell programs apart.
PACKAGE_PACKAGES=(dpkg-dev file)
# tests/invoice/make-pictures.py (run by hand) draws the invoice cases' QR codes.
INVOICE_PICTURE_PACKAGES=(qrencode python3)
# packaging/make-icons.sh draws the PNG icons from the SVG.
ICON_PACKAGES=(librsvg2-bin)
# scripts/make-font-metrics.sh builds a FreeType and HarfBuzz program over the fonts the
# blank is set in.
FONT_METRICS_PACKAGES=(libfreetype-dev libharfbuzz-dev fonts-liberation clang-format)
