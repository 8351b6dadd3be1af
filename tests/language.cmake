# The two language files: complete, alike, and covering every text id the
# program's source asks for.
zav_add_test(NAME test_language_texts
    SOURCES language/test_language_texts.cpp language/text_id_scan.cpp language/language_file_listing.cpp
    LIBS zav_shellcore Qt6::Core Qt6::Test)
