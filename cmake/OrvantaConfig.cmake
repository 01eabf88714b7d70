# One interface target carries the language standard, the warnings and Qt's
# strictness macros; every target of the project links it. Qt's headers come
# in as system includes, so these warnings only look at the project's code.
# ORVANTA_WERROR turns every warning into an error (CI builds with it).
add_library(orvanta_config INTERFACE)
target_compile_features(orvanta_config INTERFACE cxx_std_20)
target_compile_options(orvanta_config INTERFACE -Wall -Wextra -Wpedantic
  -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
if(ORVANTA_WERROR)
  target_compile_options(orvanta_config INTERFACE -Werror)
endif()
target_compile_definitions(orvanta_config INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_KEYWORDS
  QT_NO_FOREACH
  QT_STRICT_ITERATORS
  QT_USE_QSTRINGBUILDER
  QT_DISABLE_DEPRECATED_BEFORE=0x060400)
if(ORVANTA_SANITIZE)
  target_compile_options(orvanta_config INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(orvanta_config INTERFACE -fsanitize=address,undefined)
endif()
