# typeloom_add_font(<target> SOURCE <source> OUTPUT <file>
#                   [LETTER_ORDER <xlor>] [OUTPUT_LETTER_ORDER <xlor>]
#                   [FILTER <xllt>] [GROUPS <xggp>] [OPTIONS <option>...])
#
# Converts a font at build time with typeloom::vela_typeloomc, as a step that <target> depends
# on; <target> is made (a custom target built by default) when it does not exist yet.
#
#   SOURCE               a PNG, BMP or TGA picture (an image font, needs LETTER_ORDER), a
#                        binary font (.bofnt, .bofna), or else a font file (path, or path#N for
#                        a face of a collection) or the family name of an installed font
#   OUTPUT               .bofnt or .bofna (a binary font; .bofna with GROUPS), .bmp or .tga (an
#                        image font, needs OUTPUT_LETTER_ORDER); relative to the binary folder
#   LETTER_ORDER         the letter order of an image font source (-io)
#   OUTPUT_LETTER_ORDER  the letter order of an image font output (-oo)
#   FILTER               a character filter (-f)
#   GROUPS               a glyph groups file (-op)
#   OPTIONS              further options of the command line as they are, e.g. -ic IA4 -oe sjis
#
# Input paths are taken relative to the current source folder. The font file or picture, every
# definition file given and the converter itself are the conversion's dependencies, so a change
# to any of them converts again and nothing else does. An installed font named by its family has
# no file to depend on: rebuild after installing a new version of it.

function(typeloom_add_font target)
  cmake_parse_arguments(PARSE_ARGV 1 arg ""
                        "SOURCE;OUTPUT;LETTER_ORDER;OUTPUT_LETTER_ORDER;FILTER;GROUPS" "OPTIONS")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "typeloom_add_font: unknown arguments: ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT arg_SOURCE OR NOT arg_OUTPUT)
    message(FATAL_ERROR "typeloom_add_font: SOURCE and OUTPUT are required")
  endif()

  set(depends "$<TARGET_FILE:typeloom::vela_typeloomc>")
  # An input file: the absolute path, which the conversion depends on.
  macro(_typeloom_input variable path)
    get_filename_component(${variable} "${path}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND depends "${${variable}}")
  endmacro()

  string(TOLOWER "${arg_SOURCE}" source_lower)
  if(source_lower MATCHES "\\.(png|bmp|tga)$")
    if(NOT arg_LETTER_ORDER)
      message(FATAL_ERROR "typeloom_add_font: an image font SOURCE needs a LETTER_ORDER")
    endif()
    _typeloom_input(picture "${arg_SOURCE}")
    _typeloom_input(order "${arg_LETTER_ORDER}")
    set(input -i image -if "${picture}" -io "${order}")
  elseif(source_lower MATCHES "\\.bofn[ta]$")
    _typeloom_input(binary "${arg_SOURCE}")
    set(input -i bofnt -if "${binary}")
  else()
    # A font file, or a face of a collection file ("path#N"), or else an installed family.
    string(REGEX REPLACE "#[0-9]+$" "" file "${arg_SOURCE}")
    string(LENGTH "${file}" file_length)
    string(SUBSTRING "${arg_SOURCE}" ${file_length} -1 face_suffix)
    get_filename_component(font "${file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    if(EXISTS "${font}" AND NOT IS_DIRECTORY "${font}")
      list(APPEND depends "${font}")
      set(input -i win -in "${font}${face_suffix}")
    else()
      set(input -i win -in "${arg_SOURCE}")
    endif()
  endif()

  get_filename_component(output "${arg_OUTPUT}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  string(TOLOWER "${output}" output_lower)
  if(output_lower MATCHES "\\.bofn[ta]$")
    set(conversion -o bofnt -of "${output}")
    if(arg_GROUPS)
      _typeloom_input(groups "${arg_GROUPS}")
      list(APPEND conversion -op "${groups}")
    endif()
  elseif(output_lower MATCHES "\\.(bmp|tga)$")
    if(NOT arg_OUTPUT_LETTER_ORDER)
      message(FATAL_ERROR "typeloom_add_font: an image font OUTPUT needs an OUTPUT_LETTER_ORDER")
    endif()
    _typeloom_input(output_order "${arg_OUTPUT_LETTER_ORDER}")
    set(conversion -o image -of "${output}" -oo "${output_order}")
  else()
    message(FATAL_ERROR "typeloom_add_font: OUTPUT must end in .bofnt, .bofna, .bmp or .tga: "
                        "${arg_OUTPUT}")
  endif()
  if(arg_FILTER)
    _typeloom_input(filter "${arg_FILTER}")
    list(APPEND conversion -f "${filter}")
  endif()

  get_filename_component(output_folder "${output}" DIRECTORY)
  file(RELATIVE_PATH shown "${CMAKE_BINARY_DIR}" "${output}")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${output_folder}"
    COMMAND typeloom::vela_typeloomc ${input} ${arg_OPTIONS} ${conversion}
    DEPENDS ${depends}
    COMMENT "Converting font ${shown}"
    VERBATIM)
  # A step of its own for each font, so that <target> may come from any folder and be of any
  # kind (a custom target, or the game itself).
  string(MAKE_C_IDENTIFIER "typeloom_font_${shown}" step)
  add_custom_target(${step} DEPENDS "${output}")
  if(NOT TARGET ${target})
    add_custom_target(${target} ALL)
  endif()
  add_dependencies(${target} ${step})
endfunction()
