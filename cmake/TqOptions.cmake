# One INTERFACE target carries the warnings and Qt strictness defines for every target.
add_library(tq_options INTERFACE)
target_compile_options(tq_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                            -Wcast-align -Woverloaded-virtual -Wold-style-cast)
if(TQ_WERROR)
  target_compile_options(tq_options INTERFACE -Werror)
endif()
target_compile_definitions(tq_options INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_CONTEXTLESS_CONNECT
  QT_NO_KEYWORDS
  QT_DISABLE_DEPRECATED_UP_TO=0x060000)
if(TQ_SANITIZE STREQUAL "thread")
  # -Wno-tsan: Qt's global statics use a fence, which gcc warns the tool does not model.
  target_compile_options(tq_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer
                                              $<$<CXX_COMPILER_ID:GNU>:-Wno-tsan>)
  target_link_options(tq_options INTERFACE -fsanitize=thread)
elseif(TQ_SANITIZE)
  target_compile_options(tq_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                              -fno-sanitize-recover=undefined)
  target_link_options(tq_options INTERFACE -fsanitize=address,undefined)
endif()
