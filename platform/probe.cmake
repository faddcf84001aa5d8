# The exact double-to-integer conversion, shared with the progress arithmetic.
add_library(tamsel_truncate STATIC ${CMAKE_CURRENT_LIST_DIR}/truncate_to_int64.cpp)

# The folder-size probe: late-bound COM calls into the system's Scripting Runtime.
add_library(tamsel_probe STATIC
  ${CMAKE_CURRENT_LIST_DIR}/com_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/com_object.cpp
  ${CMAKE_CURRENT_LIST_DIR}/invoke_com_member.cpp
  ${CMAKE_CURRENT_LIST_DIR}/folder_size.cpp)
target_link_libraries(tamsel_probe PUBLIC tamsel_truncate tamsel_texts ole32 oleaut32 uuid)
