zav_add_test(NAME test_image_layout SOURCES image/test_image_layout.cpp LIBS zav_image Qt6::Core QT)
zav_add_test(NAME test_document SOURCES image/test_document.cpp LIBS zav_image Qt6::Core QT)
zav_add_test(NAME test_codecs SOURCES image/test_codecs.cpp LIBS zav_image Qt6::Core QT)
