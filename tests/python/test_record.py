"""vorax.open: the record's arrays and dicts equal what the command line prints for it."""
import numpy as np
import pytest
import vorax

from conftest import cli_json, recorded_samples


def test_record_equals_the_command_line(any_record):
    record = vorax.open(str(any_record))
    info = cli_json("info", "--json", any_record)
    traces = cli_json("traces", "--json", "--samples", any_record)
    assert record.info == info["record"]
    assert record.headers == {k: v for k, v in info.items()
                              if k not in ("record", "messages", "first_trace_position")}
    assert record.traces == [{k: v for k, v in t.items() if k != "samples"}
                             for t in traces["traces"]]
    expected = recorded_samples(traces)
    assert record.samples.dtype == np.float32
    assert record.samples.shape == expected.shape
    np.testing.assert_array_equal(record.samples, expected)


def test_samples_are_read_only_and_outlive_the_record(synth_record):
    samples = vorax.open(str(synth_record)).samples
    with pytest.raises(ValueError):
        samples[0, 0] = 1
    assert samples.flags.c_contiguous and samples.shape == (26, 301)  # 24 seismic, 2 aux
    assert np.isfinite(samples).all() and samples.any()


def test_bad_files_raise_with_the_program_message(tmp_path):
    with pytest.raises(OSError, match="Cannot open .*absent.segd"):
        vorax.open(str(tmp_path / "absent.segd"))
    garbage = tmp_path / "garbage.segd"
    garbage.write_bytes(bytes(range(256)) * 8)
    with pytest.raises((ValueError, OSError)) as raised:
        vorax.open(str(garbage))
    assert str(raised.value)
