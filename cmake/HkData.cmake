# The data tables shipped with the program (data/*.csv): copied beside a
# program or test program in the build folder, where the program looks first,
# and installed to share/hkberech, which the installed program finds as
# ../share/hkberech from its bin folder. A new table is one more name here.
set(HK_DATA_FILES ${PROJECT_SOURCE_DIR}/data/heizkoerper.csv ${PROJECT_SOURCE_DIR}/data/ventile.csv)

function(hk_copy_data_files target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${HK_DATA_FILES} $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
