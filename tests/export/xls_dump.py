#!/usr/bin/python3
"""Prints what python3-olefile and python3-xlrd read from an .xls file, as JSON.

usage: xls_dump.py FILE [--max-cells N]
"""
import json
import sys

import olefile
import xlrd


def container(path):
    ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_INCORRECT)
    try:
        streams = ["/".join(e) for e in ole.listdir(streams=True, storages=True)]
        size = ole.get_size("Workbook") if ole.exists("Workbook") else -1
        return {
            "streams": streams,
            "workbook_size": size,
            "root_size": ole.root.size,
            "mini_fat_sectors": ole.num_mini_fat_sectors,
            "mini_cutoff": ole.minisectorcutoff,
        }
    finally:
        ole.close()


def xf_info(book, index):
    xf = book.xf_list[index]
    font = book.font_list[xf.font_index]
    b = xf.border
    a = xf.alignment
    return {
        "font": {"name": font.name, "height": font.height, "weight": font.weight,
                 "bold": font.bold, "italic": font.italic, "underline": font.underline_type,
                 "struck_out": font.struck_out, "colour": font.colour_index},
        "format": book.format_map[xf.format_key].format_str if xf.format_key in book.format_map else None,
        "hor": a.hor_align, "vert": a.vert_align, "wrap": a.text_wrapped, "rotation": a.rotation,
        "borders": {"left": [b.left_line_style, b.left_colour_index],
                    "right": [b.right_line_style, b.right_colour_index],
                    "top": [b.top_line_style, b.top_colour_index],
                    "bottom": [b.bottom_line_style, b.bottom_colour_index],
                    "diag": [b.diag_line_style, b.diag_colour_index, b.diag_down, b.diag_up]},
        "pattern": [xf.background.fill_pattern, xf.background.pattern_colour_index],
    }


def main():
    path = sys.argv[1]
    max_cells = int(sys.argv[sys.argv.index("--max-cells") + 1]) if "--max-cells" in sys.argv else 10 ** 9
    out = {"container": container(path)}
    book = xlrd.open_workbook(path, formatting_info=True)
    out["user_name"] = book.user_name
    out["palette"] = {str(k): list(v) for k, v in book.colour_map.items() if v is not None}
    sheets, used_xfs = [], set()
    for sh in book.sheets():
        cells, count = [], 0
        for r in range(sh.nrows):
            for c in range(sh.row_len(r)):
                cell = sh.cell(r, c)
                if cell.ctype == xlrd.XL_CELL_EMPTY:
                    continue
                used_xfs.add(cell.xf_index)
                count += 1
                if len(cells) < max_cells:
                    cells.append([r, c, cell.ctype, cell.value, cell.xf_index])
        sheets.append({
            "name": sh.name, "nrows": sh.nrows, "ncols": sh.ncols, "cell_count": count,
            "merged": [list(m) for m in sh.merged_cells],
            "widths": {str(c): ci.width for c, ci in sh.colinfo_map.items()},
            "heights": {str(r): ri.height for r, ri in sh.rowinfo_map.items() if ri.height_mismatch},
            "cells": cells,
        })
    out["sheets"] = sheets
    out["xfs"] = {str(i): xf_info(book, i) for i in sorted(used_xfs)}
    json.dump(out, sys.stdout)


if __name__ == "__main__":
    main()
