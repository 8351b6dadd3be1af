# The zavprog manual, one source folder per language (en, zh), built by
# build.sh as Qt help (the program's help window) and as HTML.
import os
import re

from docutils import nodes
from docutils.parsers.rst import Directive

project = 'zavprog'
author = 'zavprog'
version = release = os.environ.get('ZAV_VERSION', '3.0.0')
master_doc = 'index'
exclude_patterns = []
templates_path = []
html_theme = 'alabaster'
html_show_sourcelink = False
html_copy_source = False
html_title = 'zavprog'
html_short_title = 'zavprog'
qthelp_theme = 'nonav'
# Quotes and dots stay as the program writes them, so that the manual
# quotes its messages and menu commands exactly.
smartquotes = False
# The pictures come from make screenshots; a missing one is found by the
# tests, and the manual builds without it meanwhile.
suppress_warnings = ['image.not_readable']


class Generated(Directive):
    """Includes a list the program wrote for this build (zavprog-manual lists)."""

    required_arguments = 1

    def run(self):
        env = self.state.document.settings.env
        path = os.path.join(env.config.zav_generated_dir, self.arguments[0])
        env.note_dependency(path)
        with open(path, encoding='utf-8') as f:
            lines = f.read().splitlines()
        self.state_machine.insert_input(lines, path)
        return []


def picture_paragraphs(app, doctree, docname):
    """Puts every picture that stands alone in a paragraph of its own.

    Qt's page browser sets a bare picture in the line of the heading before
    it, and that line becomes as tall as the picture.
    """
    for image in list(doctree.findall(nodes.image)):
        if isinstance(image.parent, (nodes.paragraph, nodes.reference, nodes.figure)):
            continue
        paragraph = nodes.paragraph()
        image.replace_self(paragraph)
        paragraph += image


# Chinese is written without spaces: a line break between two of its
# characters (or its punctuation) in the sources is no space on the page.
CJK_LINE_BREAK = re.compile('(?<=[\u3000-\u303f\u4e00-\u9fff\uff00-\uffef])\n(?=[\u3000-\u303f\u4e00-\u9fff\uff00-\uffef])')


def join_cjk_lines(app, doctree, docname):
    for text in list(doctree.findall(nodes.Text)):
        joined = CJK_LINE_BREAK.sub('', text.astext())
        if joined != text.astext():
            text.parent.replace(text, nodes.Text(joined))


def setup(app):
    app.add_config_value('zav_generated_dir', '', 'env')
    app.add_directive('generated', Generated)
    app.connect('doctree-resolved', picture_paragraphs)
    app.connect('doctree-resolved', join_cjk_lines)
